// How a run ends, the one way for every run: the main routine returns or the
// run stops part way, and then every unit is closed, the replaced outputs are
// settled and the exit status is returned.
#include <algorithm>
#include <exception>

#include "records/run_state.hpp"

namespace records {

int run::execute(const std::function<void(run&)>& body) {
    int status = 0;
    std::string message;
    try {
        body(*this);
        status = failed_ ? 1 : status_;
    } catch (const stopped&) {
        status = 1;
        message = stop_lines_.take();
    } catch (const std::exception& e) {
        status = internal_fault_status;
        message = std::string("internal fault: ") + e.what();
    } catch (...) {
        status = internal_fault_status;
        message = "internal fault: an exception of an unknown type";
    }
    return end(status, message);
}

void run::stop_run(int status) {
    if (in_statement_) internal("stop_run inside a statement");
    work_done_ = true;
    status_ = std::max(status_, status);
}

void run::fail(std::string_view message) {
    stop_lines_.keep(message);
    stop_here();
}

void run::stop_here() {
    failed_ = true;
    throw stopped{};
}

void run::internal(const std::string& what) { throw internal_fault(what); }

std::string run::close_all() {
    std::string failures;
    for (auto& u : units_) {
        if (!u || u->reading || !u->output.is_open()) continue;
        if (!u->output.close() && !u->failure_reported) failures += program_ + ": " + write_failure(*u) + "\n";
    }
    return failures;
}

int run::end(int status, std::string_view message) {
    // The records written so far reach their files before the run ends; the
    // records that cannot are reported after the message. A run refused at
    // its opens leaves every output as it was.
    in_statement_ = false;
    st_->items = {};
    std::string failures = refused_ ? std::string() : start_outputs_reporting();
    failures += close_all();
    if (!failures.empty()) status = std::max(status, 1);
    if (!message.empty())
        std::fprintf(diagnostics_, "%s: %.*s\n", program_.c_str(), static_cast<int>(message.size()), message.data());
    std::fputs(failures.c_str(), diagnostics_);
    status = settle_replacements(status);
    std::fflush(diagnostics_);
    return status;
}

int run::settle_replacements(int status) {
    std::vector<replacement*> replaced;
    for (auto& u : units_)
        if (u && u->replaced.active()) replaced.push_back(&u->replaced);
    if (status != 0) {
        for (replacement* r : replaced) r->discard();
        return status;
    }
    std::size_t failed = 0;
    int error = replacement::put_in_place(replaced, failed);
    if (error == 0) return status;
    std::fprintf(diagnostics_, "%s: %s was not replaced: %s\n", program_.c_str(), replaced[failed]->target().c_str(),
                 reason(error).c_str());
    return 1;
}

}  // namespace records
