#include "records/run.hpp"

#include <cerrno>
#include <cstring>
#include <exception>

#include "records/input_editing.hpp"
#include "records/interrupts.hpp"
#include "records/operator_answer.hpp"
#include "records/output_editing.hpp"
#include "records/standard_streams.hpp"

namespace records {

struct run::unit_slot {
    std::string name;
    bool reading = false;
    bool failure_reported = false;
    input_file input;
    output_file output;
};

struct run::statement {
    bool active = false;
    bool reading = false;
    unit_slot* unit = nullptr;
    const record_format* format = nullptr;
    std::size_t next_item = 0;
    std::size_t position = 0;   // current position, counted from 0
    std::string record;         // the output record being built
    std::string_view input;     // the current input record
    std::string padded_field;   // a field that runs past the end of the record
};

namespace {

std::string reason(int error) { return std::strerror(error != 0 ? error : EIO); }

std::string plural(long n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

std::string quoted(std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c >= 0x20 && c < 0x7f) {
            out += ch;
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    out += '"';
    return out;
}

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
    bool opened = u->reading ? u->input.open(u->name) : u->output.open(u->name);
    if (!opened) {
        int error = u->reading ? u->input.error() : u->output.error();
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

void run::start_outputs() {
    if (outputs_started_) return;
    outputs_started_ = true;
    for (auto& u : units_)
        if (u && !u->reading && u->output.is_open() && !u->output.start()) fail(write_failure(*u));
}

run::unit_slot& run::slot(int unit, std::string_view operation) {
    if (st_->active) fail("programming error: " + std::string(operation) + " inside another statement");
    if (unit < 0 || unit > max_unit || !units_[static_cast<std::size_t>(unit)])
        fail("programming error: " + std::string(operation) + " on unit " + std::to_string(unit) +
             ", which is not open");
    return *units_[static_cast<std::size_t>(unit)];
}

// ---- format control -------------------------------------------------------

const format_item& run::next_data_item(item_kind wanted) {
    statement& st = *st_;
    if (!st.active) fail("programming error: item transfer outside a statement");
    auto items = st.format->items();
    for (;;) {
        if (st.next_item == items.size()) {
            // The final parenthesis with a further item: the record ends and
            // control reverts.
            if (!st.format->reverts_to_data())
                fail("programming error: format " + st.format->text() + " has no descriptor for a further item");
            if (st.reading) next_input_record();
            else emit_output_record();
            st.next_item = st.format->reversion_point();
            continue;
        }
        const format_item& item = items[st.next_item++];
        if (!item.is_data()) {
            process_control(item);
            continue;
        }
        bool agrees = item.kind == wanted ||
                      (wanted == item_kind::fixed && item.kind == item_kind::exponent);
        if (!agrees)
            fail("programming error: " + descriptor_name(item) + " of format " + st.format->text() +
                 " meets an item of another kind");
        return item;
    }
}

void run::process_control(const format_item& item) {
    statement& st = *st_;
    switch (item.kind) {
    case item_kind::skip:
        st.position += static_cast<std::size_t>(item.width);
        break;
    case item_kind::slash:
        if (st.reading) next_input_record();
        else emit_output_record();
        break;
    case item_kind::literal: {
        std::string_view text = st.format->literal(item);
        if (!st.reading) {
            st.record.resize(st.position, ' ');
            st.record.append(text);
        }
        st.position += text.size();
        break;
    }
    default:
        break;
    }
}

// ---- reading --------------------------------------------------------------

bool run::has_record(int unit) {
    unit_slot& u = slot(unit, "has_record");
    start_outputs();
    if (!u.reading) fail("programming error: has_record on output file " + u.name);
    bool at_end = u.input.at_end();
    if (at_end && u.input.error() != 0) fail("cannot read " + u.name + ": " + reason(u.input.error()));
    return !at_end;
}

void run::write_lines(int unit, std::string_view text) {
    unit_slot& u = slot(unit, "write");
    if (u.reading) fail("programming error: write to input file " + u.name);
    start_outputs();
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!u.output.write_record(line)) fail(write_failure(u));
    }
}

void run::next_input_record() {
    statement& st = *st_;
    input_file& in = st.unit->input;
    if (!in.next_record(st.input)) {
        if (in.error() != 0) fail("cannot read " + st.unit->name + ": " + reason(in.error()));
        if (in.too_long())
            fail(st.unit->name + ", record " + std::to_string(in.records_read()) + ": longer than " +
                 std::to_string(max_record_length) + " characters");
        long have = in.records_read();
        if (in.has_lone_carriage_returns())
            fail(st.unit->name + ", record " + std::to_string(have + 1) +
                 ": end of file: the file's lines end in a carriage return alone, not in a line feed");
        fail(st.unit->name + ", record " + std::to_string(have + 1) + ": end of file, " +
             (have == 0 ? std::string("the file is empty") : "the file has only " + plural(have, "record")));
    }
    st.position = 0;
}

void run::begin_read(int unit, const record_format& format) {
    unit_slot& u = slot(unit, "read");
    if (!u.reading) fail("programming error: read from output file " + u.name);
    start_outputs();
    statement& st = *st_;
    st.reading = true;
    st.unit = &u;
    st.format = &format;
    st.next_item = 0;
    st.active = true;
    next_input_record();
}

std::string_view run::take_field(const format_item& item) {
    statement& st = *st_;
    auto w = static_cast<std::size_t>(item.width);
    std::size_t start = st.position;
    st.position += w;
    if (start + w <= st.input.size()) return st.input.substr(start, w);
    // Positions beyond the end of the record read as blanks.
    st.padded_field.assign(w, ' ');
    if (start < st.input.size()) st.padded_field.replace(0, st.input.size() - start, st.input.substr(start));
    return st.padded_field;
}

void run::field_error(const format_item& item, std::string_view text, std::string_view what) {
    statement& st = *st_;
    std::size_t last = st.position;
    std::size_t first = last - static_cast<std::size_t>(item.width) + 1;
    const input_file& in = st.unit->input;
    bool byte_order_mark = in.records_read() == 1 && in.starts_with_byte_order_mark();
    fail(st.unit->name + ", record " + std::to_string(in.records_read()) + ", columns " + std::to_string(first) +
         "-" + std::to_string(last) + ": " + quoted(text) + " " + std::string(what) + " " + descriptor_name(item) +
         " field" + (byte_order_mark ? " (the file starts with a UTF-8 byte-order mark)" : ""));
}

void run::read_int(std::int32_t& value) {
    const format_item& item = next_data_item(item_kind::integer);
    std::string_view field = take_field(item);
    switch (read_integer_field(field, value)) {
    case field_status::ok: return;
    case field_status::out_of_range: field_error(item, field, "is out of range for an");
    case field_status::invalid: field_error(item, field, "is not a valid");
    }
}

void run::read_real(float& value) {
    const format_item& item = next_data_item(item_kind::fixed);
    std::string_view field = take_field(item);
    if (read_real_field(field, item.digits, value) != field_status::ok)
        field_error(item, field, "is not a valid");
}

void run::read_char(char& value) {
    const format_item& item = next_data_item(item_kind::character);
    std::string_view field = take_field(item);
    // Aw with w above 1 keeps the rightmost character of the field.
    value = field.back();
}

void run::end_read() {
    statement& st = *st_;
    auto items = st.format->items();
    while (st.next_item < items.size() && !items[st.next_item].is_data())
        process_control(items[st.next_item++]);
    st.active = false;
}

// ---- writing --------------------------------------------------------------

void run::emit_output_record() {
    statement& st = *st_;
    if (!st.unit->output.write_record(st.record)) fail(write_failure(*st.unit));
    st.record.clear();
    st.position = 0;
}

void run::begin_write(int unit, const record_format& format) {
    unit_slot& u = slot(unit, "write");
    if (u.reading) fail("programming error: write to input file " + u.name);
    start_outputs();
    statement& st = *st_;
    st.reading = false;
    st.unit = &u;
    st.format = &format;
    st.next_item = 0;
    st.position = 0;
    st.record.clear();
    st.active = true;
}

void run::write_int(std::int32_t value) {
    const format_item& item = next_data_item(item_kind::integer);
    st_->record.resize(st_->position, ' ');
    put_integer(st_->record, value, item.width);
    st_->position += static_cast<std::size_t>(item.width);
}

void run::write_real(float value) {
    const format_item& item = next_data_item(item_kind::fixed);
    st_->record.resize(st_->position, ' ');
    if (item.kind == item_kind::fixed) put_fixed(st_->record, value, item.width, item.digits);
    else put_exponent(st_->record, value, item.width, item.digits);
    st_->position += static_cast<std::size_t>(item.width);
}

void run::write_char(char value) {
    const format_item& item = next_data_item(item_kind::character);
    st_->record.resize(st_->position, ' ');
    put_character(st_->record, value, item.width);
    st_->position += static_cast<std::size_t>(item.width);
}

void run::end_write() {
    statement& st = *st_;
    auto items = st.format->items();
    while (st.next_item < items.size() && !items[st.next_item].is_data())
        process_control(items[st.next_item++]);
    st.active = false;
    emit_output_record();
}

// ---- the end of a run -----------------------------------------------------

std::string run::write_failure(unit_slot& u) {
    u.failure_reported = true;
    std::string text = "cannot write " + u.name + ": " + reason(u.output.error());
    if (!u.output.is_regular()) return text;
    long n = u.output.records_in_file();
    if (n == 0) return text + "; it holds no records";
    return text + "; it holds its first " + (n == 1 ? std::string("record") : plural(n, "record"));
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

void run::end(int status) {
    st_->active = false;
    std::string failures = close_all(true);
    if (!failures.empty()) status = 1;
    std::fputs(failures.c_str(), diagnostics_);
    std::fflush(diagnostics_);
    throw run_ended{status};
}

void run::stop_run() { end(failed_ ? 1 : 0); }

void run::fail(std::string_view message) {
    // The records written so far reach their files before the run ends; the
    // records that cannot are reported after the message.
    failed_ = true;
    st_->active = false;
    std::string failures = close_all(true);
    std::fprintf(diagnostics_, "%s: %.*s\n", program_.c_str(), static_cast<int>(message.size()), message.data());
    std::fputs(failures.c_str(), diagnostics_);
    std::fflush(diagnostics_);
    throw run_ended{1};
}

void run::fail_at_record(int unit, std::string_view what) {
    if (unit < 0 || unit > max_unit || !units_[static_cast<std::size_t>(unit)] ||
        !units_[static_cast<std::size_t>(unit)]->reading)
        fail("programming error: fail_at_record on unit " + std::to_string(unit) + ", which is not an input");
    const unit_slot& u = *units_[static_cast<std::size_t>(unit)];
    fail(u.name + ", record " + std::to_string(u.input.records_read()) + ": " + std::string(what));
}

void run::pause_run(std::string_view message, std::string_view context) {
    // Whole records only: the operator may look at the files, and an
    // interrupt at the prompt keeps them.
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
        end(1);
    }
}

int run_program(std::string_view program, const std::function<void(run&)>& body) {
    run r{std::string(program)};
    try {
        try {
            body(r);
            r.stop_run();
        } catch (const run_ended&) {
            throw;
        } catch (const std::exception& e) {
            r.fail(std::string("internal error: ") + e.what());
        }
    } catch (const run_ended& ended) {
        return ended.status;
    }
    return 0;
}

std::string_view suite_version() { return SUITE_VERSION; }

int run_program(std::string_view program, int argc, char** argv, std::string_view help,
                const std::function<void(run&)>& body) {
    guard_standard_streams();
    handle_interrupts();
    if (argc <= 1) return run_program(program, body);
    std::string_view argument = argv[1];
    if (argc == 2 && argument == "--help") {
        std::fwrite(help.data(), 1, help.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (argc == 2 && argument == "--version") {
        std::printf("%.*s %.*s\n", static_cast<int>(program.size()), program.data(),
                    static_cast<int>(suite_version().size()), suite_version().data());
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    bool first_is_known = argument == "--help" || argument == "--version";
    std::string shown = quoted(first_is_known ? argv[2] : argv[1]);
    std::fprintf(stderr, "%.*s: unexpected argument %s; usage: %.*s [--help | --version]\n",
                 static_cast<int>(program.size()), program.data(), shown.c_str(), static_cast<int>(program.size()),
                 program.data());
    return 2;
}

}  // namespace records
