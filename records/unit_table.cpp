// The unit table: connecting a unit to its file, emptying the outputs when
// the first statement begins, and closing every unit when the run ends.
#include "records/run_state.hpp"

namespace records {

run::run(std::string program, std::FILE* diagnostics, std::FILE* operator_input)
    : program_(std::move(program)),
      diagnostics_(diagnostics),
      operator_input_(operator_input),
      st_(std::make_unique<statement>()) {}

run::~run() { close_all(false); }

bool run::open_unit(int unit, std::string_view file_name, file_status status) {
    if (unit < 0 || unit > max_unit || units_[static_cast<std::size_t>(unit)])
        fail("programming error: unit " + std::to_string(unit) + " cannot be opened");
    auto u = std::make_unique<unit_slot>();
    u->name = file_name;
    u->reading = status == file_status::old;
    int error = 0;
    if (status == file_status::replaced)
        error = u->replaced.begin(u->output, u->name);
    else if (!(u->reading ? u->input.open(u->name) : u->output.open(u->name)))
        error = u->reading ? u->input.error() : u->output.error();
    if (error != 0) {
        std::fprintf(diagnostics_, "%s: cannot open %s: %s\n", program_.c_str(), u->name.c_str(),
                     reason(error).c_str());
        failed_ = true;
        return false;
    }
    const file_identity& identity = u->reading ? u->input.identity() : u->output.identity();
    for (const auto& other : units_) {
        if (!other || !identity.same_file(other->reading ? other->input.identity() : other->output.identity()))
            continue;
        std::fprintf(diagnostics_, "%s: %s is the same file as %s\n", program_.c_str(), u->name.c_str(),
                     other->name.c_str());
        failed_ = true;
        refused_ = true;
        return false;
    }
    unit_slot& opened_unit = *u;
    units_[static_cast<std::size_t>(unit)] = std::move(u);
    if (outputs_started_ && !opened_unit.reading && !opened_unit.output.start()) fail(write_failure(opened_unit));
    return true;
}

void run::open_or_stop(int unit, std::string_view file_name, file_status status) {
    if (!open_unit(unit, file_name, status)) stop_run();
}

void run::start_outputs() {
    if (outputs_started_) return;
    outputs_started_ = true;
    for (auto& u : units_)
        if (u && !u->reading && u->output.is_open() && !u->output.start()) fail(write_failure(*u));
}

void run::slot_fault(int unit, std::string_view operation) {
    if (in_statement_) fail("programming error: " + std::string(operation) + " inside another statement");
    fail("programming error: " + std::string(operation) + " on unit " + std::to_string(unit) + ", which is not open");
}

std::string run::close_all(bool start) {
    if (start && !refused_) start_outputs();
    std::string failures;
    for (auto& u : units_) {
        if (!u || u->reading || !u->output.is_open()) continue;
        if (!u->output.close() && !u->failure_reported) failures += program_ + ": " + write_failure(*u) + "\n";
    }
    return failures;
}

void run::finish(int status, std::string_view message) {
    // The records written so far reach their files before the run ends; the
    // records that cannot are reported after the message.
    in_statement_ = false;
    st_->items = {};
    std::string failures = close_all(true);
    if (!failures.empty()) status = 1;
    if (!message.empty())
        std::fprintf(diagnostics_, "%s: %.*s\n", program_.c_str(), static_cast<int>(message.size()), message.data());
    std::fputs(failures.c_str(), diagnostics_);
    status = settle_replacements(status);
    std::fflush(diagnostics_);
    throw run_ended{status};
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

void run::stop_run() { end(failed_ ? 1 : 0); }

void run::stop_run(int status) { end(failed_ ? 1 : status); }

}  // namespace records
