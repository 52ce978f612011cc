// The model as the suite's tables hold it: the node table "wnodes.out", the
// element table "wtopo.out" and, when present, the element stresses
// "wstresses.out", read and checked for what the finite-element tools need:
// one reader for every program that takes the model whole.
#pragma once

#include "records/unit_numbers.hpp"

#include <cstdint>
#include <vector>

#include "layouts/element_stresses.hpp"
#include "layouts/mesh_tables.hpp"
#include "mesh/large_tables.hpp"
#include "mesh/number_index.hpp"
#include "records/run.hpp"

namespace mesh_model {

// The units the reader connects the tables to; a program that reads the
// model leaves them to it.
namespace units {
inline constexpr records::input_unit wnodes_out{5};  // "wnodes.out", read
inline constexpr records::input_unit wtopo_out{7};  // "wtopo.out", read
inline constexpr records::input_unit wstresses_out{8};  // "wstresses.out", read
}  // namespace units


// Records as the tables lay them out. The nodes of an element are kept
// anticlockwise (h to the right, v upwards), the order the tools expect.
using node_record = layouts::node_record;
using element_record = layouts::element_record;
using stress_record = layouts::stress_record;

// Node and element numbers are what the tables' fields hold; the tools need
// them positive and each used once, so a model has at most this many of each.
inline constexpr std::int32_t max_number = layouts::max_number;

struct mesh {
    large_table<node_record> nodes;        // in table order
    large_table<element_record> elements;  // in table order
    large_table<stress_record> stresses;   // one per element, or none
    // Node number to its position in `nodes` plus 1; 0 for a missing node.
    number_index node_position;
};

// Reads the tables to their end, as tables read back whole: blank lines are
// no records, and a record that ends before its last field or a last line
// without its line feed (a file cut off) is refused. A fault ends the run
// with a diagnostic naming the record (its line in the file): a malformed
// field; a node or element number not positive or used twice; a coordinate
// that is not finite or does not fit F12.6, an angle that does not fit F8.2;
// an element naming a node missing from the node table, or enclosing no
// area (the rule of mesh/triangle_geometry.hpp). Stresses whose count of
// records is not the count of elements are another mesh's, and refused.
mesh read_mesh(records::run& r);

}  // namespace mesh_model
