// The picture of a mesh: every element as its triangle at the node
// coordinates (h to the right, v upwards, one scale for both), shaded by its
// angle and type code with a legend, every node a dot, and the elements the
// check found faulty outlined in red over the others, with their numbers.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "meshplot/mesh_check.hpp"
#include "meshplot/mesh_files.hpp"

namespace meshplot {

// The whole document of "mesh.svg".
std::string mesh_picture(const node_table& table, const std::vector<element_record>& elements,
                         const mesh_check& check);

// The same, handed to `sink` in blocks as it is made, for a mesh too large
// to hold its picture in memory.
void write_mesh_picture(const node_table& table, const std::vector<element_record>& elements,
                        const mesh_check& check, const std::function<void(std::string_view)>& sink);

}  // namespace meshplot
