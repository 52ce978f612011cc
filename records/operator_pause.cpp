// The operator pause: the records so far reach their files, the operator
// reads the message and answers whether the run goes on.
#include "records/operator_answer.hpp"
#include "records/run_state.hpp"

namespace records {

void run::pause_run(std::string_view message, std::string_view context) {
    // Whole records only: the operator may look at the files, and an
    // interrupt at the prompt keeps them.
    if (work_done_) internal("pause_run after stop_run");
    start_outputs();
    for (auto& u : units_)
        if (u && !u->reading && !u->output.flush()) fail(write_failure(*u));
    std::fprintf(diagnostics_, "%s: %.*s\n", program_.c_str(), static_cast<int>(message.size()), message.data());
    if (!context.empty())
        std::fprintf(diagnostics_, "%s: %.*s\n", program_.c_str(), static_cast<int>(context.size()), context.data());
    std::fprintf(diagnostics_, "%s: press Enter to continue, or type stop to end the run\n", program_.c_str());
    std::fflush(diagnostics_);
    if (operator_says_stop(operator_input_)) {
        std::fprintf(diagnostics_, "%s: stopped by the operator\n", program_.c_str());
        stop_here();
    }
}

}  // namespace records
