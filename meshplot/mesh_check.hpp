// The check of a mesh before it is drawn: do the elements name nodes of the
// node table, do they list their nodes clockwise (h to the right, v upwards,
// the order in which topo generates them), do they enclose an area (both by
// the one rule of mesh/triangle_geometry.hpp), and is each element and node
// number used once. Every fault is found and reported, none ends the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mesh/triangle_geometry.hpp"
#include "meshplot/element_table.hpp"
#include "meshplot/node_table.hpp"

namespace meshplot {

using mesh_model::corner_points;

struct mesh_check {
    std::size_t nodes = 0;
    std::size_t elements = 0;
    // Positions in the element table (four bytes each: a table of 2^32
    // elements would not fit in memory anyway).
    std::vector<std::uint32_t> missing_node;
    std::vector<std::uint32_t> anticlockwise;
    std::vector<std::uint32_t> zero_area;
    std::vector<std::uint32_t> non_finite;      // a corner at an infinite or NaN coordinate
    std::vector<std::uint32_t> number_twice;    // every element whose number another element also has
    std::vector<std::int32_t> numbers_twice;  // those numbers, each once, in the order of their second use
    std::vector<std::int32_t> node_numbers_twice;

    // The elements that can be drawn (those with corners that exist and are
    // finite), how many, and the least and greatest h and v of their
    // corners, taken element by element in table order.
    std::size_t drawable = 0;
    double h_low = 0.0, h_high = 0.0, v_low = 0.0, v_high = 0.0;

    // The elements drawn with a fault outline: those with corners that
    // exist and are finite, but that run anticlockwise, enclose no area or
    // share their number.
    bool marked_in_picture() const { return !anticlockwise.empty() || !zero_area.empty() || !number_twice.empty(); }

    bool clean() const {
        return missing_node.empty() && anticlockwise.empty() && zero_area.empty() && non_finite.empty() &&
               numbers_twice.empty() && node_numbers_twice.empty();
    }
};

// The corners of an element, its nodes' coordinates, or nothing when it
// names a missing node.
inline std::optional<corner_points> corners_of(const std::array<std::int32_t, 3>& nodes, const node_table& table) {
    corner_points p;
    for (std::size_t k = 0; k < 3; ++k) {
        const node_record* found = table.find(nodes[k]);
        if (found == nullptr) return std::nullopt;
        p.h[k] = found->h;
        p.v[k] = found->v;
    }
    return p;
}

mesh_check check_mesh(const node_table& table, const element_table& elements);

// The check as printed on standard output: the counts, each kind of fault
// with the first few elements that have it, and a last line saying whether
// the mesh is clean, and whether the picture marks its faulty elements.
std::string check_report(const mesh_check& check, const node_table& table, const element_table& elements);

}  // namespace meshplot
