#include "records/interrupts.hpp"

#include <csignal>
#include <cerrno>

#include "records/whole_records.hpp"

namespace records {

namespace {

constexpr int interrupts[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void on_interrupt(int signal) {
    int saved = errno;
    cut_outputs_to_whole_records();
    // The default action is back (SA_RESETHAND) and the signal is blocked
    // while this handler runs: raised again, it ends the process on return.
    std::raise(signal);
    errno = saved;
}

}  // namespace

void handle_interrupts() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
    sigaction(SIGXFSZ, &ignore, nullptr);

    struct sigaction cut {};
    cut.sa_handler = on_interrupt;
    cut.sa_flags = SA_RESETHAND;
    sigemptyset(&cut.sa_mask);
    for (int s : interrupts) sigaddset(&cut.sa_mask, s);
    for (int s : interrupts) {
        struct sigaction before {};
        if (sigaction(s, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
        sigaction(s, &cut, nullptr);
    }
}

interrupts_held::interrupts_held() {
    sigset_t held;
    sigemptyset(&held);
    for (int s : interrupts) sigaddset(&held, s);
    sigprocmask(SIG_BLOCK, &held, &before_);
}

interrupts_held::~interrupts_held() { sigprocmask(SIG_SETMASK, &before_, nullptr); }

bool interrupts_held::waiting() const {
    sigset_t pending;
    if (sigpending(&pending) != 0) return false;
    for (int s : interrupts)
        if (sigismember(&pending, s) == 1) return true;
    return false;
}

}  // namespace records
