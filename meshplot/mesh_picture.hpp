// The picture of a mesh: every element as its triangle at the node
// coordinates (h to the right, v upwards, one scale for both), shaded by its
// angle and type code with a legend, and the elements the check found
// faulty outlined in red with their numbers.
#pragma once

#include <string>
#include <vector>

#include "meshplot/mesh_check.hpp"
#include "meshplot/mesh_files.hpp"

namespace meshplot {

std::string mesh_picture(const std::vector<node_record>& nodes, const std::vector<element_record>& elements,
                         const mesh_check& check);

}  // namespace meshplot
