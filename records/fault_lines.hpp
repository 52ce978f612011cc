// The line of the fault that stopped a run. Two threads writing at once
// (run::write_values) may both fail: the run's thread's line is the one
// told, as it would have come first had the helper's work followed; a line
// of the helper's alone is told when the run's thread had none. Each
// thread's first fault is kept.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace records {

class fault_lines {
public:
    // Keeps `message` as the calling thread's fault, unless it has one.
    void keep(std::string_view message) {
        std::lock_guard lock(mutex_);
        bool on_run_thread = std::this_thread::get_id() == run_thread_;
        line& kept = on_run_thread ? run_thread_line_ : helper_line_;
        if (!kept.kept) kept = {std::string(message), true};
    }
    // The line to tell, taken out; once both threads are done.
    std::string take() {
        return std::move(run_thread_line_.kept || !helper_line_.kept ? run_thread_line_ : helper_line_).text;
    }

private:
    struct line {
        std::string text;
        bool kept = false;
    };
    std::mutex mutex_;
    std::thread::id run_thread_ = std::this_thread::get_id();  // the thread that made the run
    line run_thread_line_;
    line helper_line_;
};

}  // namespace records
