// The unit table: connecting a unit to its file, and emptying the outputs
// when the first statement begins.
#include "records/run_state.hpp"

namespace records {

run::run(std::string program, std::FILE* diagnostics, std::FILE* operator_input)
    : program_(std::move(program)),
      diagnostics_(diagnostics),
      operator_input_(operator_input),
      st_(std::make_unique<statement>()) {}

run::~run() = default;

bool run::open_unit(input_unit unit, std::string_view file_name) {
    return open_number(unit.number, file_name, true, file_status::unknown);
}

bool run::open_unit(output_unit unit, std::string_view file_name, file_status status) {
    return open_number(unit.number, file_name, false, status);
}

bool run::open_number(int unit, std::string_view file_name, bool reading, file_status status) {
    if (unit < 0 || unit > max_unit || units_[static_cast<std::size_t>(unit)] || work_done_)
        internal("unit " + std::to_string(unit) + " cannot be opened");
    auto u = std::make_unique<unit_slot>();
    u->name = file_name;
    u->reading = reading;
    int error = 0;
    if (!reading && status == file_status::replaced)
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

void run::open_or_stop(input_unit unit, std::string_view file_name) {
    if (!open_unit(unit, file_name)) stop_here();
}

void run::open_or_stop(output_unit unit, std::string_view file_name, file_status status) {
    if (!open_unit(unit, file_name, status)) stop_here();
}

void run::start_outputs_first() {
    // Two threads writing may both come here first: one starts the outputs
    // (up to the first that fails), the other waits and finds them started.
    std::lock_guard lock(starting_);
    if (outputs_started_.load(std::memory_order_relaxed)) return;
    unit_slot* failed = nullptr;
    for (auto& u : units_) {
        if (u && !u->reading && u->output.is_open() && !u->output.start()) {
            failed = u.get();
            break;
        }
    }
    outputs_started_.store(true, std::memory_order_release);
    if (failed != nullptr) fail(write_failure(*failed));
}

std::string run::start_outputs_reporting() {
    std::string failures;
    if (outputs_started_) return failures;
    outputs_started_ = true;
    for (auto& u : units_)
        if (u && !u->reading && u->output.is_open() && !u->output.start())
            failures += program_ + ": " + write_failure(*u) + "\n";
    return failures;
}

const run::unit_slot& run::open_input(input_unit unit, std::string_view operation) const {
    int n = unit.number;
    if (n < 0 || n > max_unit || !units_[static_cast<std::size_t>(n)] || !units_[static_cast<std::size_t>(n)]->reading)
        internal(std::string(operation) + " on unit " + std::to_string(n) + ", which is not an input");
    return *units_[static_cast<std::size_t>(n)];
}

void run::slot_fault(int unit, std::string_view operation) {
    if (work_done_) internal(std::string(operation) + " after stop_run");
    if (in_statement_) internal(std::string(operation) + " inside another statement");
    internal(std::string(operation) + " on unit " + std::to_string(unit) + ", which is not open");
}

}  // namespace records
