// A look at a table's lines before the record layer reads it, for what the
// layer does not tell: where the last record that holds anything is (blank
// lines that editors add at the end of a file are no records of the table),
// and whether a record ends before its last field (a field beyond the end of
// a record reads as zero, which a picture would show as a real value).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "records/run.hpp"

namespace plots {

struct table_scan {
    long records = 0;        // lines in the file, a last line without its line feed included
    long last_nonblank = 0;  // the last line holding a character other than a blank; 0 when none
    long first_short = 0;    // the first checked line that ends before `reach`; 0 when none
    std::size_t short_length = 0;  // that line's length without its trailing blanks
    bool readable = true;    // false when the file could not be read to its end
    bool too_long = false;   // the scan stopped at a line longer than the record layer reads
};

// Reads `file_name` once, in constant memory, up to its end or up to the
// first line longer than the record layer reads (that line then counts as
// the last record holding anything, so that the layer reaches and refuses it). Lines `first` to `last` are
// checked: they must reach column `reach` (their last non-blank character at
// or beyond it); a carriage return before a line feed counts as a blank.
table_scan scan_table(const std::string& file_name, std::size_t reach = 0, long first = 1, long last = 0);

// The first and last column of a field.
struct field_columns {
    std::size_t from = 0;
    std::size_t to = 0;
};

// Where the last value of `format` stands in its record (after a slash, in
// the last record); {0, 0} when the format transfers no value.
field_columns last_field(const records::record_format& format);

// Ends the run when one of the records `first` to `last` of the file ends
// before the field in columns `from` to `to`, which `what` names:
// "program: file, record N: ends at column C, before WHAT in columns F-T".
void require_field(records::run& r, const std::string& file_name, std::size_t from, std::size_t to, long first,
                   long last, std::string_view what);
// The same for the last field of the table's record format.
void require_field(records::run& r, const std::string& file_name, const records::record_format& format, long first,
                   long last, std::string_view what);

}  // namespace plots
