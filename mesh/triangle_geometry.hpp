// The geometry of an element of the model: the triangle of its three nodes,
// h to the right and v upwards. One rule for every program that looks at
// an element's shape: which way its corners run, and when it encloses no
// area.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace mesh_model {

// The corners' coordinates, in the element's order of its nodes: the
// tables' 32-bit reals, taken as doubles for the products below.
struct corner_points {
    std::array<double, 3> h{};
    std::array<double, 3> v{};
};

// Twice the signed area of the triangle: negative when the corners run
// clockwise, positive when they run anticlockwise.
inline double twice_signed_area(const corner_points& p) {
    return (p.h[1] - p.h[0]) * (p.v[2] - p.v[0]) - (p.v[1] - p.v[0]) * (p.h[2] - p.h[0]);
}

// Every corner at a finite coordinate.
inline bool finite_corners(const corner_points& p) {
    for (std::size_t k = 0; k < 3; ++k)
        if (!std::isfinite(p.h[k]) || !std::isfinite(p.v[k])) return false;
    return true;
}

// Which way the corners of a triangle at finite coordinates run, v upwards;
// topo writes its elements clockwise. A triangle whose third corner lies
// within a billionth of the longest side's length from that side's line
// encloses no area: twice its area (the longest side times that distance)
// is at most 1e-9 of the longest side squared. Repeated corners and corners
// on one line are such triangles, and so is a sliver that thin, which is
// as useless to a solver as a triangle with no area at all.
enum class corner_order { clockwise, anticlockwise, no_area };
inline corner_order order_of(const corner_points& p) {
    double longest = 0.0;  // squared
    for (std::size_t a = 0; a < 3; ++a) {
        std::size_t b = (a + 1) % 3;
        double dh = p.h[b] - p.h[a];
        double dv = p.v[b] - p.v[a];
        longest = std::max(longest, dh * dh + dv * dv);
    }
    double area = twice_signed_area(p);
    if (std::abs(area) <= 1e-9 * longest) return corner_order::no_area;
    return area < 0.0 ? corner_order::clockwise : corner_order::anticlockwise;
}

}  // namespace mesh_model
