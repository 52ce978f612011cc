// Tables read back whole: the files a program of the suite writes and a
// tool reads to the end again. Such a table is read like any other input
// (records::run), with the unit marked by run::read_as_table, and each record
// checked with run::require_field against the last field of its layout, so
// that a table cut off by a killed run or a full disk is refused rather than
// read with zeros where its last values stood.
#pragma once

#include <cstddef>

#include "records/format.hpp"

namespace records {

// The first and last column of a field, counted from 1.
struct field_columns {
    std::size_t from = 0;
    std::size_t to = 0;
};

// Where the last value of `format` stands in its record (after a slash, in
// the last record); {0, 0} when the format transfers no value.
field_columns last_field(const record_format& format);

}  // namespace records
