// The connectivity line: a one-digit count ns in column 1, then ns node
// triples, six to a line as I3 fields or five to a line as I4 fields
// (a sixth triple of a five-per-line line continues on the next record).
// topo reads it in its element groups, shift in "old3.dat".
#pragma once

#include <array>
#include <cstdint>

#include "records/run.hpp"

namespace layouts {

// A line holds at most this many node triples.
inline constexpr std::int32_t max_triples = 6;

inline const records::record_format six_per_line("(I1,18(1X,I3))");
inline const records::record_format five_per_line("(I1,15(1X,I4))");

// Triples indexed from 1; slots beyond ns keep what an earlier line left.
struct connectivity_line {
    std::int32_t ns = 0;
    std::array<std::int32_t, max_triples + 1> n1{};
    std::array<std::int32_t, max_triples + 1> n2{};
    std::array<std::int32_t, max_triples + 1> n3{};
};

// Reads one line in `format` (six_per_line or five_per_line): the count read
// first decides how many triples the same statement reads. A count above
// max_triples ends the run, naming the line's record:
// "N elements on a line, at most 6 fit".
void read_connectivity_line(records::run& r, records::input_unit unit, const records::record_format& format, connectivity_line& line);

}  // namespace layouts
