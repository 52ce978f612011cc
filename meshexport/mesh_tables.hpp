// The model as the suite's tables hold it: the node table "wnodes.out", the
// element table "wtopo.out" and, when present, the element stresses
// "wstresses.out", read and checked for what the finite-element tools need.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "records/run.hpp"

namespace meshexport {

// "(I6,3I3,2F12.6)": number, the flags h=0 and v=12 / h=0 / v=12, h, v.
struct node_record {
    std::int32_t number = 0;
    std::array<std::int32_t, 3> flags{};
    float h = 0.0f;
    float v = 0.0f;
};

// "(4I6,F8.2,I3)": number, three nodes, angle, type code. The nodes are kept
// anticlockwise (h to the right, v upwards), the order the tools expect.
struct element_record {
    std::int32_t number = 0;
    std::array<std::int32_t, 3> nodes{};
    float angle = 0.0f;
    std::int32_t type = 0;
};

// "(3E11.4)": stress along h, along v, and the h-v shear.
struct stress_record {
    float sh = 0.0f;
    float sz = 0.0f;
    float shz = 0.0f;
};

// Node and element numbers are what an I6 field holds; the tools need them
// positive and each used once, so a model has at most this many of each.
inline constexpr std::int32_t max_number = 999999;

struct mesh {
    std::vector<node_record> nodes;        // in table order
    std::vector<element_record> elements;  // in table order
    std::vector<stress_record> stresses;   // one per element, or none
    // Node number to its position in `nodes` plus 1; 0 for a missing node.
    std::vector<std::int32_t> node_position;
};

// Reads the tables to their end (the stresses: one record per element, later
// records unused). A fault ends the run with a diagnostic naming the record:
// a malformed field; a node or element number not positive or used twice; a
// coordinate that is not finite or does not fit F12.6, an angle that does
// not fit F8.2; an element naming a node missing from the node table, or
// enclosing no area.
mesh read_mesh(records::run& r);

}  // namespace meshexport
