// The tables that "plytab csv" writes as comma-separated values: every table
// of the suite by its file name, read through the record layer in its layout
// (layouts/), written as a header row of the layout's field names and one
// row per record, each value the shortest text that reads back as the same
// 32-bit value.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "records/run.hpp"

namespace plytab_csv {

// The file names of the tables, as the help and the usage error list them.
std::span<const std::string_view> table_names();

// The table a path names by its last part (the file name without its
// folder), or an empty view when it names none.
std::string_view table_of(std::string_view path);

// The rows as they are made, to standard output (which the caller gives a
// large buffer), so that the rows before a fault in the table stay written
// when the run ends on it; a row that cannot be written ends the run.
class csv_output {
public:
    explicit csv_output(records::run& r) : run_(r) {}
    void append(std::string_view text);
    // Hands what is left to standard output.
    void flush();

private:
    [[noreturn]] void failed();
    records::run& run_;
};

// Reads the table at `path` (of the table `table`, one of table_names())
// whole, through the run on one unit, and writes it as CSV.
void write_table(records::run& r, const std::string& path, std::string_view table, csv_output& out);

}  // namespace plytab_csv
