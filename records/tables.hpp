// Tables read back whole: the files a program of the suite writes and a
// tool reads to the end again. Such a table is read like any other input
// (records::run), with the unit marked by run::read_as_table, and each record
// checked with run::require_field against the last field of its layout, so
// that a table cut off by a killed run or a full disk is refused rather than
// read with zeros where its last values stood.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "records/format.hpp"
#include "records/statement_values.hpp"

namespace records {

// The first and last column of a field, counted from 1.
struct field_columns {
    std::size_t from = 0;
    std::size_t to = 0;
};

// Where the last value of `format` stands in its record (after a slash, in
// the last record); {0, 0} when the format transfers no value.
field_columns last_field(const record_format& format);

// Reads one line of a table (its line feed not included) the fast way only,
// without a statement: every value of a format that takes exactly these
// values from one record, each where it stands, each field plain
// (read_plain_integer, read_plain_real), the line no shorter than the
// format's record, not blank and without a carriage return at its end.
// Returns false, the places part filled, for any other line, which a read
// statement then takes: it reads the same values, or names the fault.
bool read_plain_values(const record_format& format, std::string_view line, std::span<const input_place> places);

}  // namespace records
