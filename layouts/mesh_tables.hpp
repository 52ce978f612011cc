// The tables of a plane model: the node table "wnodes.out", one record per
// node, which nodes writes, and the element table "wtopo.out", one record
// per element, which topo writes. meshplot and meshexport read both;
// stressimport reads the element table.
#pragma once

#include "layouts/record.hpp"

namespace layouts {

inline constexpr std::string_view node_table_file = "wnodes.out";
inline constexpr std::string_view element_table_file = "wtopo.out";

// The largest node or element number the I6 fields of the tables hold.
inline constexpr std::int32_t max_number = 999999;

struct node_record {
    static inline const records::record_format format{"(I6,3I3,2F12.6)"};
    std::int32_t number = 0;
    // 1 where h = 0 and v = 12, where h = 0, where v = 12; else 0.
    std::array<std::int32_t, 3> flags{};
    float h = 0.0f, v = 0.0f;
    static constexpr std::string_view last_field_name = "the v coordinate";
    static constexpr std::array<std::string_view, 6> field_names{"node", "H0V12", "H0", "V12", "h", "v"};
    static auto fields(auto& n) { return std::tie(n.number, n.flags[0], n.flags[1], n.flags[2], n.h, n.v); }
};

struct element_record {
    static inline const records::record_format format{"(4I6,F8.2,I3)"};
    std::int32_t number = 0;
    std::array<std::int32_t, 3> nodes{};
    float angle = 0.0f;
    std::int32_t type = 0;  // the type code
    static constexpr std::string_view last_field_name = "the type code";
    static constexpr std::array<std::string_view, 6> field_names{"element", "node1", "node2", "node3", "angle", "type"};
    static auto fields(auto& e) { return std::tie(e.number, e.nodes[0], e.nodes[1], e.nodes[2], e.angle, e.type); }
};

}  // namespace layouts
