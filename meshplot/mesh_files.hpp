// The node table "wnodes.out" and the element table "wtopo.out", read to
// their end with the layouts nodes and topo write them in (blank lines at the
// end of a file are no records); a malformed field ends the run with the
// record layer's diagnostic.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records/run.hpp"

namespace meshplot {

// "(I6,3I3,2F12.6)": number, three flags (not used here), h, v.
struct node_record {
    std::int32_t number = 0;
    float h = 0.0f;
    float v = 0.0f;
    long record = 0;  // line of the file, from 1
};

// "(4I6,F8.2,I3)": number, three nodes, angle, type code.
struct element_record {
    std::int32_t number = 0;
    std::array<std::int32_t, 3> nodes{};
    float angle = 0.0f;
    std::int32_t type = 0;
    long record = 0;
};

std::vector<node_record> read_nodes(records::run& r, const std::string& file_name);
std::vector<element_record> read_elements(records::run& r, const std::string& file_name);

}  // namespace meshplot
