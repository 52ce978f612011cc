// The node table "wnodes.out": one record per node, its number, three flags
// (1 where h = 0 and v = 12, where h = 0, where v = 12), h and v. nodes
// writes it; meshplot and meshexport read it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "records/run.hpp"

namespace layouts {

inline constexpr std::string_view node_table_file = "wnodes.out";
inline const records::record_format node_format("(I6,3I3,2F12.6)");

struct node_record {
    std::int32_t number = 0;
    std::array<std::int32_t, 3> flags{};
    float h = 0.0f;
    float v = 0.0f;
};

void write_node(records::run& r, int unit, const node_record& n);
void read_node(records::run& r, int unit, node_record& n);

}  // namespace layouts
