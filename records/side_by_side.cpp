#include "records/side_by_side.hpp"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "records/interrupts.hpp"

namespace records {
namespace {

thread_local bool is_helper = false;

// The one helper thread, waiting for a piece of work at a time.
class helper_thread {
public:
    // The helper, started at the first call; nullptr when it cannot be.
    static helper_thread* get() {
        // Never destroyed: the helper waits on it until the process ends.
        static helper_thread* const helper = start();
        return helper;
    }

    void hand_on(work_piece work) {
        std::lock_guard lock(mutex_);
        work_ = work;
        fault_ = nullptr;
        waiting_ = true;
        done_ = false;
        changed_.notify_all();
    }

    // Waits for the piece handed on; its fault, if it threw one.
    std::exception_ptr wait() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return done_; });
        return fault_;
    }

private:
    static helper_thread* start() {
        auto* helper = new helper_thread;
        try {
            interrupts_held held;  // the thread starts with them held
            std::thread(&helper_thread::serve, helper).detach();
        } catch (const std::system_error&) {
            delete helper;
            return nullptr;
        }
        return helper;
    }

    void serve() {
        is_helper = true;
        for (;;) {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return waiting_; });
            waiting_ = false;
            work_piece work = work_;
            lock.unlock();
            std::exception_ptr fault;
            try {
                work.call(work.object);
            } catch (...) {
                fault = std::current_exception();
            }
            lock.lock();
            fault_ = fault;
            done_ = true;
            changed_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    work_piece work_{};
    std::exception_ptr fault_;
    bool waiting_ = false;
    bool done_ = false;
};

}  // namespace

bool on_helper_thread() { return is_helper; }

void side_by_side(work_piece first, work_piece second) {
    helper_thread* helper = helper_thread::get();
    if (helper == nullptr) {
        first.call(first.object);
        second.call(second.object);
        return;
    }
    helper->hand_on(first);
    try {
        second.call(second.object);
    } catch (...) {
        (void)helper->wait();
        throw;
    }
    if (std::exception_ptr fault = helper->wait()) std::rethrow_exception(fault);
}

}  // namespace records
