// The picture of a mesh: every element as its triangle at the node
// coordinates (h to the right, v upwards, one scale for both unless the mesh
// is too slender, which a note then says by how much), shaded by its angle
// and type code, every node a dot, and the elements the check found faulty
// outlined in red over the others, with their numbers; on request every node
// and element number. The legend lists only what the picture shows.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "meshplot/mesh_check.hpp"
#include "meshplot/element_table.hpp"
#include "meshplot/node_table.hpp"

namespace meshplot {

struct picture_options {
    // Every node and element number written into the picture, up to
    // numbered_elements elements; past that they are left out with a note.
    bool numbers = false;
};

inline constexpr std::size_t numbered_elements = 3000;

// The whole document of "mesh.svg".
std::string mesh_picture(const node_table& table, const element_table& elements,
                         const mesh_check& check, const picture_options& options = {});

// The same, handed to `sink` in blocks as it is made, for a mesh too large
// to hold its picture in memory.
void write_mesh_picture(const node_table& table, const element_table& elements,
                        const mesh_check& check, const picture_options& options,
                        const std::function<void(std::string_view)>& sink);

}  // namespace meshplot
