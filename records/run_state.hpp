// The state a run keeps behind its interface, shared by the files that
// implement records::run: the unit table (unit_table.cpp), the statements
// (statements.cpp), the diagnostics (diagnostics.cpp) and the operator pause
// (operator_pause.cpp).
#pragma once

#include <cerrno>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/replaced_outputs.hpp"
#include "records/run.hpp"

namespace records {

// One connected unit: its file's name and the open input or output file.
struct run::unit_slot {
    std::string name;
    bool reading = false;
    bool failure_reported = false;
    input_file input;
    output_file output;
    replacement replaced;  // for a replaced output: its temporary
    // The record the last whole write statement made, and the bits of the
    // values it took: a record is a function of its format and values alone,
    // so the next one of the same format starts from this one and edits
    // only the fields whose value changed. Tables repeat most of their
    // values from one record to the next.
    std::uint64_t last_format = 0;  // serial of its format; 0 for none yet
    std::vector<std::uint32_t> last_bits;
    std::string last_record;
};

// The statement in progress: where it is in its format and in its record.
struct run::statement {
    bool reading = false;
    unit_slot* unit = nullptr;
    const record_format* format = nullptr;
    // The format's items while the statement is in progress, empty otherwise.
    std::span<const format_item> items;
    std::size_t next_item = 0;
    std::size_t data_done = 0;  // data items transferred so far
    std::size_t position = 0;   // current position, counted from 0
    // The output record being built is record[0, length); the rest of
    // record is blanks. record only grows, and fields are written in place.
    std::string record;
    std::size_t length = 0;
    std::string_view input;     // the current input record
    std::string padded_field;   // a field that runs past the end of the record
};

// The reason a system call failed, for a diagnostic; an error number of 0
// (a failure the system did not explain) reads as an input/output error.
inline std::string reason(int error) { return std::strerror(error != 0 ? error : EIO); }

// "1 record", "3 records".
inline std::string plural(long n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace records
