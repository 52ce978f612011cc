// A run of one program: its units, its read and write statements, and how
// it ends. Every program opens its units, transfers records and returns:
//
//     records::run r("nodes");
//     r.open_or_stop(units::wnodes_dat, "wnodes.dat");
//     r.open_or_stop(units::wnodes_out, "wnodes.out", records::file_status::unknown);
//     r.read(units::wnodes_dat, count_format, nlines);
//
// A statement transfers its items one at a time, so a value just read may
// decide how many items the same statement still transfers.
//
// A run ends one way, in execute (which run_program calls): when the main
// routine returns, or when the run stops part way (an input error, an end of
// file, a failed open or write, "stop" at a pause) by an exception that only
// execute catches, every unit is closed with its records complete, the
// replaced outputs are put in place or removed, and execute returns the
// exit status. A fault in the program's own workings (a statement on a unit
// never opened, a failed internal check) ends the run the same way with its
// own status, internal_fault_status, and the line "program: internal fault:
// what", so that it is never taken for bad input.
#pragma once

#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "records/files.hpp"
#include "records/format.hpp"
#include "records/diagnostics.hpp"
#include "records/fault_lines.hpp"
#include "records/statement_values.hpp"
#include "records/unit_numbers.hpp"

namespace records {

struct field_columns;

// How an output is opened (an input must exist and is read from its first
// record).
enum class file_status {
    unknown,  // created, or emptied when it exists; written from its start
    // Written to a temporary file of its own and put in place under its name
    // only when the run ends with status 0, together with the run's other
    // replaced outputs; any other end leaves the file as it was
    // (replaced_outputs.hpp). A directory, or a file the run may not write,
    // is refused when the unit is opened.
    replaced,
};

// A fault in the program's own workings, found by a check of the record
// layer: a statement on a unit never opened, a read from an output, a format
// with no descriptor for an item.
class internal_fault : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class run {
public:
    static constexpr int max_unit = 99;
    // The exit status of a run ended by an internal fault (any exception
    // other than the run's own stop): the status sysexits.h calls
    // EX_SOFTWARE, apart from 1 (bad input, a failed write) and 2 (a usage
    // error).
    static constexpr int internal_fault_status = 70;

    // `program` names the run in diagnostics. The pause talks to the operator
    // through `diagnostics` and `operator_input`.
    explicit run(std::string program, std::FILE* diagnostics = stderr, std::FILE* operator_input = stdin);
    run(const run&) = delete;
    run& operator=(const run&) = delete;
    // Closes no unit and decides nothing: execute has ended the run.
    ~run();

    // Runs `body`, the program's main routine, and ends the run: the one
    // way every run ends. Returns the exit status: 0, or 1 when an open
    // failed, a record could not be written or the run stopped on a fault,
    // or the status stop_run asked for; internal_fault_status after an
    // internal fault. Called once.
    [[nodiscard]] int execute(const std::function<void(run&)>& body);

    // Connects the unit to the file. On failure writes one line naming the
    // program, the file and the reason, marks the run as failed and returns
    // false; the caller then stops. A file that is the same as one the run
    // has opened already ("out is the same file as in") fails too, and the
    // run then leaves every output as it was. An input is opened to be read
    // from its first record; an output as `status` says.
    [[nodiscard]] bool open_unit(input_unit unit, std::string_view file_name);
    [[nodiscard]] bool open_unit(output_unit unit, std::string_view file_name, file_status status);

    // The same, stopping the run (status 1) when the unit cannot be opened.
    void open_or_stop(input_unit unit, std::string_view file_name);
    void open_or_stop(output_unit unit, std::string_view file_name, file_status status);

    void begin_read(input_unit unit, const record_format& format);
    void read_int(std::int32_t& value);
    void read_real(float& value);
    void read_char(char& value);
    // The statement's next values.size() items, integers all; reals all.
    void read_ints(std::span<std::int32_t> values);
    void read_reals(std::span<float> values);
    // Within a read statement: the current record as the file holds it,
    // without its line end, for a program that tells its kind of line by
    // its text before taking fields from it.
    [[nodiscard]] std::string_view record_text() const;
    void end_read();

    void begin_write(output_unit unit, const record_format& format);
    void write_int(std::int32_t value);
    void write_real(float value);
    void write_char(char value);
    void end_write();

    // True when the input unit has a further record. The suite's programs
    // never ask (their counts say how many records to read); a tool that reads
    // a table to its end does.
    [[nodiscard]] bool has_record(input_unit unit);

    // Tables that a tool reads back whole, as a program wrote them
    // (tables.hpp). After read_as_table, a read statement that ends on the
    // file's last line without its line feed ends the run: "file, record N:
    // has no line end; is the file cut off?"; with blank_lines::skipped,
    // blank lines (nothing but blanks before the line feed, a carriage return
    // included) are no records, anywhere in the file. Record numbers in
    // diagnostics stay line numbers, blank lines counted.
    enum class blank_lines { skipped, records };
    void read_as_table(input_unit unit, blank_lines blanks = blank_lines::skipped);
    using input_place = records::input_place;
    // A whole read statement of one record of a table: begin_read,
    // require_field(last, what), one item for each place, end_read. A format
    // that takes exactly these values from one record has each field read
    // where it stands, without walking the format item by item.
    void read_table_values(input_unit unit, const record_format& format, const field_columns& last, std::string_view what,
                           std::span<const input_place> places);
    // A table's next lines taken many at once, outside any statement, by a
    // reader that reads their fields itself (plain_reader in
    // tables.hpp): whole lines, line feeds included, up to `room` bytes
    // (input_file::whole_lines). Empty when the next record is for a read
    // statement to take: the file's first line, a line longer than `room`,
    // the end of the file. pass_table_lines then counts the first `lines`
    // of them (`bytes` characters) as records read, the last of them being
    // the unit's current record for a diagnostic. With `after`, the lines
    // after the first `after` bytes not yet passed, lines handed out before:
    // a reader reads on while it passes those. `ahead`: while another
    // thread still reads the lines handed out last, which stay in place
    // (input_file::whole_lines); take_back_table_lines undoes such a call.
    [[nodiscard]] std::string_view table_lines(input_unit unit, std::size_t room, std::size_t after = 0,
                                               bool ahead = false);
    void take_back_table_lines(input_unit unit);
    // table_lines(unit, room, after, true) in two steps, its reading free to
    // run on another thread while this one passes `passed` bytes of the
    // lines handed out before (input_file::plan_fill_ahead): the plan's
    // read() on either thread, then finish_table_fill once they are passed,
    // or abandon_table_fill for lines that are not to be read on.
    [[nodiscard]] table_fill plan_table_fill(input_unit unit, std::size_t room, std::size_t after, std::size_t passed);
    [[nodiscard]] std::string_view finish_table_fill(input_unit unit, table_fill& plan, std::size_t after);
    void abandon_table_fill(input_unit unit, const table_fill& plan);
    void pass_table_lines(input_unit unit, std::size_t bytes, long lines);
    // Within a read statement: ends the run when the current record ends
    // before the last column of `field`, the last field of its layout, which
    // `what` names: "file, record N: ends at column C, before WHAT in columns
    // F-T", with "; is the file cut off?" after it when the record is the
    // file's last line without its line feed.
    void require_field(const field_columns& field, std::string_view what);
    // The number of the record the input unit read last: its line in the
    // file. Also within a statement.
    [[nodiscard]] long record_number(input_unit unit);

    // Writes free text, such as a picture, to an output unit: `text` is whole
    // lines, each ended by its line feed, and each becomes one record, so
    // such a file is kept whole at the edges like every other output.
    void write_lines(output_unit unit, std::string_view text);
    // Writes bytes as they stand, such as binary data, to an output that is
    // replaced whole (file_status::replaced): they are no records, and a run
    // that fails leaves the file as it was anyway.
    void write_bytes(output_unit unit, std::string_view bytes);

    // The program's work is done: the run ends with status 0, or 1 when an
    // open failed or a record could not be written, once the main routine
    // returns, which it does next (a statement after this one is an
    // internal fault). A main routine may also simply return.
    void stop_run() { stop_run(0); }
    // The same with at least `status`: for a program whose result decides it.
    void stop_run(int status);

    // Hands every record written so far to its file, shows the message (and
    // the context line, when given) and asks the operator whether to go on.
    // "stop" ends the run with status 1; any other answer, or no input at
    // all, goes on.
    void pause_run(std::string_view message, std::string_view context = {});

    // Whole statements, for lists known in advance.
    template <typename... Items>
    void read(input_unit unit, const record_format& format, Items&&... items) {
        begin_read(unit, format);
        (read_item(items), ...);
        end_read();
    }
    template <typename... Items>
    void write(output_unit unit, const record_format& format, const Items&... items) {
        if constexpr (sizeof...(Items) > 0 && (is_single_value<Items> && ...)) {
            const output_value values[] = {output_value(items)...};
            write_values(unit, format, values);
        } else {
            begin_write(unit, format);
            (write_item(items), ...);
            end_write();
        }
    }

    // One item, by its kind; a span transfers its elements in order.
    void read_item(std::int32_t& value) { read_int(value); }
    void read_item(float& value) { read_real(value); }
    void read_item(char& value) { read_char(value); }
    template <typename T>
    void read_item(std::span<T> values) {
        for (T& v : values) read_item(v);
    }
    void write_item(std::int32_t value) { write_int(value); }
    void write_item(float value) { write_real(value); }
    void write_item(char value) { write_char(value); }
    template <typename T>
    void write_item(std::span<T> values) {
        for (const T& v : values) write_item(v);
    }

    using output_value = records::output_value;
    template <typename T>
    static constexpr bool is_single_value = records::is_single_value<T>;

    // A whole write statement. A format that takes exactly these values in
    // one record has its record made from the unit's last one of that format
    // (only changed fields are edited) and copied into the file's block; any
    // other goes item by item, with the same result.
    //
    // Two outputs at once: while no statement is in progress, write_values
    // (with a format that takes its values in one record), write_lines and
    // write_bytes to one output unit may run on side_by_side's helper thread
    // while the run's thread writes others the same ways. Each unit keeps its
    // own file, block and record maker, and a fault on either thread stops
    // the run once both are done, with the line of the run's thread's fault
    // (the helper's when only it failed): the helper's work is to be what
    // would come second, were the two done one after the other. One unit may
    // also be written from either thread in turn, one piece of work after
    // the other (records::in_alternate_batches).
    void write_values(output_unit unit, const record_format& format, std::span<const output_value> values);

    // Stops the run on a fault: its one diagnostic line is "program:
    // message", its status 1.
    [[noreturn]] void fail(std::string_view message);

    // The same for a fault a program finds in a value it has read: the line
    // is "program: file, record N: what", N being the input unit's record read
    // last (the current record while a statement is in progress).
    [[noreturn]] void fail_at_record(input_unit unit, std::string_view what);

    const std::string& program() const { return program_; }

private:
    struct unit_slot;
    struct statement;
    // Thrown by fail (and by a failed open_or_stop and the operator's stop)
    // and caught by execute alone: the run stops where it is.
    struct stopped {};

    // The open unit a statement outside any other takes; anything else is an
    // internal fault, which slot_fault reports.
    unit_slot& slot(int unit, std::string_view operation) {
        if (!in_statement_ && !work_done_ && unit >= 0 && unit <= max_unit && units_[static_cast<std::size_t>(unit)])
            return *units_[static_cast<std::size_t>(unit)];
        slot_fault(unit, operation);
    }
    [[noreturn]] void slot_fault(int unit, std::string_view operation);
    // The open input a statement-free query takes, also within a statement;
    // anything else is an internal fault.
    const unit_slot& open_input(input_unit unit, std::string_view operation) const;
    // Connects unit number `unit` to the file, to be read or written.
    bool open_number(int unit, std::string_view file_name, bool reading, file_status status);
    const format_item& next_data_item(item_kind wanted);
    const format_item& find_data_item(item_kind wanted);
    char* output_field(std::size_t width);
    void process_control(const format_item& item);
    void next_input_record();
    void emit_output_record();
    std::span<const field_place> placed_fields(std::size_t count, item_kind kind);
    std::string_view placed_field(const field_place& f);
    std::string_view take_field(const format_item& item);
    std::string_view padded_field(std::size_t start, std::size_t width);
    std::string_view field_at(std::size_t start, std::size_t width);
    void check_integer(const format_item& item, std::string_view field, std::int32_t& value);
    [[noreturn]] void field_error(const format_item& item, std::string_view text, std::string_view what);
    // Raises an internal fault: "what", for the line execute writes.
    [[noreturn]] static void internal(const std::string& what);
    // Stops the run with status 1 and no line of its own: what ended it has
    // said why.
    [[noreturn]] void stop_here();
    // Every end of a run, called by execute alone: closes every unit, puts
    // the replaced outputs in place or removes them, writes `message` (when
    // there is one) and the failed writes not yet reported, and returns the
    // exit status.
    int end(int status, std::string_view message);
    int settle_replacements(int status);
    // Empties the outputs when the first statement begins; a failure stops
    // the run. Every write comes here: once started, nothing more to do.
    void start_outputs() {
        if (!outputs_started_.load(std::memory_order_acquire)) start_outputs_first();
    }
    void start_outputs_first();
    // The same, returning the lines of the outputs that could not be
    // emptied instead.
    std::string start_outputs_reporting();
    void begin_statement(unit_slot& u, const record_format& format);
    void end_statement();
    std::string write_failure(unit_slot& u);
    // Closes every output; returns the diagnostic lines of the failed writes
    // not reported yet.
    std::string close_all();

    std::string program_;
    std::FILE* diagnostics_;
    std::FILE* operator_input_;
    std::array<std::unique_ptr<unit_slot>, max_unit + 1> units_;
    std::unique_ptr<statement> st_;
    bool in_statement_ = false;  // a statement is in progress
    bool work_done_ = false;     // stop_run was called: no statement follows
    std::atomic<bool> failed_{false};  // also set by a fault on the helper thread
    int status_ = 0;                   // what stop_run asked for
    fault_lines stop_lines_;           // the line of the fault that stopped the run
    // Outputs are emptied when the first statement begins (or the run ends),
    // so a run refused at its opens leaves every file as it was.
    std::atomic<bool> outputs_started_{false};
    std::mutex starting_;
    bool refused_ = false;
};

}  // namespace records

// What runs a program from its shell.
#include "records/program_shell.hpp"
