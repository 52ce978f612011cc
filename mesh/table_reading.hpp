// A table of the model read to its end, as a table that a program wrote is
// read back whole (records::run::read_as_table): blank lines are no
// records, and a record that ends before its last field or a last line
// without its line feed (a file cut off) ends the run like a malformed
// field. What a program does with each record, keep it or refuse it, is its
// own.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "layouts/record.hpp"
#include "records/run.hpp"

namespace mesh_model {

// Opens `file` on `unit` (a missing file ends the run) and reads it to its
// end as a table of `Record`'s layout, each record whole, handing each to
// take(record, line), line being its line in the file (from 1, blank lines
// counted). Large tables are read many lines at once
// (layouts::read_table_to_end), with the same records and diagnostics.
template <typename Record, typename Take>
void read_table(records::run& r, records::input_unit unit, std::string_view file, Take take) {
    r.open_or_stop(unit, file);
    r.read_as_table(unit);
    layouts::read_table_to_end<Record>(r, unit, [&](const Record& record) { take(record, r.record_number(unit)); });
}

// The most records of `record_bytes` bytes each that `file` can hold: its
// size over that, for a regular file; 0 when that cannot be told.
std::size_t most_records(std::string_view file, std::size_t record_bytes);

// The most records of `Record`'s layout that `file` can hold: each fills
// its layout's columns and a line feed (a shorter one is refused).
template <typename Record>
std::size_t most_records(std::string_view file) {
    static const std::size_t record_bytes = records::last_field(Record::format).to + 1;
    return most_records(file, record_bytes);
}

// Room in `table` for every record of `Record`'s layout that `file` can
// hold, but for no more than `most`. Taken at once, the table does not pass
// through the doubling steps of a vector that grows, which copy it and hold
// the old and the new copy for a moment.
template <typename Record, typename Table>
void reserve_for_table(Table& table, std::string_view file, std::size_t most) {
    table.reserve(std::min({most_records<Record>(file), most, table.max_size()}));
}

}  // namespace mesh_model
