// How a run meets signals. SIGINT, SIGTERM and SIGHUP cut every output file
// back to its last whole record and then end the process by the same signal,
// so that whoever started it sees the interrupt; a signal the process was
// started with ignored stays ignored. SIGPIPE and SIGXFSZ are ignored: a write
// to a pipe whose reader has gone fails with EPIPE, and one past the file size
// limit (ulimit -f) with EFBIG, and each is reported like any failed write
// rather than ending the process with a torn record.
#pragma once

#include <signal.h>

namespace records {

void handle_interrupts();

// SIGINT, SIGTERM and SIGHUP wait while one of these lives: around a step
// that must not be cut in two, such as creating a temporary and noting it
// for removal, or renaming a set of files. A waiting interrupt is delivered
// when it ends.
class interrupts_held {
public:
    interrupts_held();
    interrupts_held(const interrupts_held&) = delete;
    interrupts_held& operator=(const interrupts_held&) = delete;
    ~interrupts_held();
    // True when an interrupt came meanwhile and waits.
    bool waiting() const;

private:
    sigset_t before_;
};

}  // namespace records
