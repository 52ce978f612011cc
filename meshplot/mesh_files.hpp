// The node table "wnodes.out" and the element table "wtopo.out", read to
// their end in the layouts nodes and topo write them in (layouts/mesh_tables.hpp)
// as tables read back whole (mesh/table_reading.hpp): blank lines are no
// records, and a record that ends before its last field, or a last line
// without its line feed (a file cut off), ends the run like a malformed
// field, with the record layer's diagnostic. Every record is kept: what is
// wrong with the mesh is the check's to report.
#pragma once

#include <string_view>

#include "meshplot/element_table.hpp"
#include "meshplot/node_table.hpp"
#include "records/run.hpp"

namespace meshplot {

node_table read_nodes(records::run& r, std::string_view file_name);
element_table read_elements(records::run& r, std::string_view file_name);

}  // namespace meshplot
