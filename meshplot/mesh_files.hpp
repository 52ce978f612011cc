// The node table "wnodes.out" and the element table "wtopo.out", read to
// their end in the layouts nodes and topo write them in (layouts/mesh_tables.hpp)
// as tables read back whole: blank lines are no records, and a record that
// ends before its last field, or a last line without its line feed (a file
// cut off), ends the run like a malformed field, with the record layer's
// diagnostic.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records/run.hpp"

namespace meshplot {

// A node record without its three flags, which are not used here.
struct node_record {
    std::int32_t number = 0;
    float h = 0.0f;
    float v = 0.0f;
    long record = 0;  // line of the file, from 1, blank lines counted
};

// An element record: number, three nodes, angle, type code.
struct element_record {
    std::int32_t number = 0;
    std::array<std::int32_t, 3> nodes{};
    float angle = 0.0f;
    std::int32_t type = 0;
    long record = 0;  // line of the file, from 1, blank lines counted
};

std::vector<node_record> read_nodes(records::run& r, const std::string& file_name);
std::vector<element_record> read_elements(records::run& r, const std::string& file_name);

}  // namespace meshplot
