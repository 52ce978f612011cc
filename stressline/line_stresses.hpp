// The stresses along a line through a mesh: at each of the line's evenly
// spaced points, the mean of the stresses of every element whose triangle
// holds the point, its edges and corners included.
#pragma once

#include <cstdint>
#include <vector>

#include "mesh/model_reader.hpp"
#include "stressline/line_arguments.hpp"

namespace stressline {

struct line_point {
    float distance = 0.0f;  // from the first point
    float h = 0.0f, v = 0.0f;
    // Sums over the elements that hold the point, and their count.
    double sh = 0.0, sz = 0.0, shz = 0.0;
    std::int32_t elements = 0;
};

// The points of the line, both ends included, with the stresses of the
// elements that hold each; `m` holds one stress record per element. A point
// lies in a triangle when it is no farther outside any of its edges than a
// millionth of the model's largest coordinate, so that a point on an edge
// shared by two elements is found in both. Each element is tested only
// against the points that lie in the box around it: a pass over the
// elements, and a few tests per point.
std::vector<line_point> stresses_along(const mesh_model::mesh& m, const line& l);

}  // namespace stressline
