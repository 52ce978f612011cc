// The frame of the mesh picture: the model's extent with a small margin,
// and the size of the plot.
#pragma once

#include <string>

#include "plots/axes.hpp"

namespace meshplot {

// The frame: the model's extent with a small margin, and the plot's size.
// One scale for both directions, so that the elements keep their shapes,
// unless the mesh is so slender that it would be too thin to read: then the
// thin direction is widened to the least size, and `stretch` says by how
// much that axis is drawn larger than the other.
struct frame_layout {
    plots::domain h, v;
    double width = 0.0, height = 0.0;
    std::string stretch;  // empty at one scale
};

// The frame around the finite extents of the drawn mesh.
frame_layout lay_out(const plots::extent& h_range, const plots::extent& v_range);

}  // namespace meshplot
