// Element groups: elements given one by one as node triples on connectivity
// lines, numbered on from the group's first element number, with an optional
// renumbering of node ranges.
#pragma once

#include <cstdint>

#include "layouts/connectivity_line.hpp"
#include "topo/element_record.hpp"
#include "records/run.hpp"
#include "topo/renumbering.hpp"

namespace topo {

// Every variable of the group phase keeps its value from group to group.
// They stand in the order the group's records give them.
struct group_state {
    std::int32_t jj = 0;     // first element number, numbered on
    std::int32_t pairs = 0;  // renumbering pairs (tnds)
    range_table ranges;
    // The group header: elements, angle, type code, elements per line.
    std::int32_t nel = 0;
    float ang = 0.0f;
    std::int32_t itype = 0;
    std::int32_t elements_per_line = 0;  // 5 or 6 (ngpl)
    layouts::connectivity_line line;  // ns and the triples n1, n2, n3
};

// Reads one group (first element number, pairs, header, lines) and writes
// its elements.
// wtopo.dat is read on unit 5.
void read_group(records::run& r, element_writer& out, group_state& g);

}  // namespace topo
