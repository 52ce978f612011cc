// Element groups: elements given one by one as node triples on connectivity
// lines, numbered on from the group's first element number, with an optional
// renumbering of node ranges.
#pragma once

#include <array>
#include <cstdint>

#include "topo/element_record.hpp"
#include "records/run.hpp"
#include "topo/renumbering.hpp"

namespace topo {

// A connectivity line holds at most this many node triples.
inline constexpr std::int32_t max_line_elements = 6;

// Every variable of the group phase keeps its value from group to group.
struct group_state {
    std::int32_t jj = 0;
    std::int32_t tnds = 0;
    std::int32_t nel = 0;
    float ang = 0.0f;
    std::int32_t itype = 0;
    std::int32_t ngpl = 0;
    std::int32_t ns = 0;
    std::array<std::int32_t, max_line_elements + 1> n1{};  // indexed from 1
    std::array<std::int32_t, max_line_elements + 1> n2{};
    std::array<std::int32_t, max_line_elements + 1> n3{};
    range_table ranges;
};

// Reads one group (first element number, pairs, header, lines) and writes
// its elements.
// wtopo.dat is read on unit 5.
void read_group(records::run& r, element_writer& out, group_state& g);

}  // namespace topo
