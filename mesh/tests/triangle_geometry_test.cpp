// Which way an element's corners run, and when it encloses no area: one
// rule for every program, relative to the element's own size.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "mesh/triangle_geometry.hpp"

namespace {

using mesh_model::corner_order;
using mesh_model::corner_points;

// Corners as the tables hold them: 32-bit reals.
corner_points corners(float h0, float v0, float h1, float v1, float h2, float v2) {
    return corner_points{{h0, h1, h2}, {v0, v1, v2}};
}

struct order_case {
    const char* name;
    corner_points p;
    corner_order expected;
};

TEST(TriangleGeometry, OrderOfTheCorners) {
    const order_case cases[] = {
        {"clockwise, as topo writes", corners(0, 0, 0, 1, 1, 0), corner_order::clockwise},
        {"anticlockwise", corners(0, 0, 1, 0, 0, 1), corner_order::anticlockwise},
        {"a corner repeated", corners(0, 0, 0, 0, 1, 1), corner_order::no_area},
        {"all corners one point", corners(3, 4, 3, 4, 3, 4), corner_order::no_area},
        {"corners on one line", corners(0, 0, 1, 1, 2, 2), corner_order::no_area},
        // The third corner 0.9 and 1.1 billionths of the longest side off
        // its line: either side of the rule.
        {"a sliver just within the rule", corners(0, 0, 500, 0.9e-6f, 1000, 0), corner_order::no_area},
        {"a sliver just beyond the rule", corners(0, 0, 500, 1.1e-6f, 1000, 0), corner_order::clockwise},
        {"a sliver of the tables' digits", corners(0, 0, 5000, 0.000001f, 10000, 0), corner_order::no_area},
        {"a thin element of the tables' digits", corners(0, 0, 10000, 0, 5000, -0.0001f), corner_order::clockwise},
        // The rule goes by the element's own size: a small element is no
        // sliver, and a sliver far from the origin is one.
        {"a small element", corners(0, 0, 0, 1e-6f, 1e-6f, 0), corner_order::clockwise},
        {"a small sliver", corners(0, 0, 0.5e-3f, 0.9e-12f, 1e-3f, 0), corner_order::no_area},
        {"a sliver far off", corners(-7000, 0.5f, -6500, 0.5000006f, -6000, 0.5f), corner_order::no_area},
        {"an element far off", corners(-7000, 500, -7000, 501, -6999, 500), corner_order::clockwise},
    };
    for (const order_case& c : cases) EXPECT_EQ(mesh_model::order_of(c.p), c.expected) << c.name;
}

TEST(TriangleGeometry, TwiceTheSignedArea) {
    EXPECT_EQ(mesh_model::twice_signed_area(corners(0, 0, 0, 1, 1, 0)), -1.0);
    EXPECT_EQ(mesh_model::twice_signed_area(corners(0, 0, 1, 0, 0, 1)), 1.0);
    EXPECT_EQ(mesh_model::twice_signed_area(corners(1, 1, 3, 1, 1, 4)), 6.0);
    EXPECT_EQ(mesh_model::twice_signed_area(corners(0, 0, 0, 0, 1, 1)), 0.0);
}

TEST(TriangleGeometry, FiniteCorners) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(mesh_model::finite_corners(corners(0, 0, 3.4e38f, -3.4e38f, 1, 1)));
    for (std::size_t k = 0; k < 3; ++k) {
        for (float bad : {inf, -inf, nan}) {
            corner_points h = corners(0, 0, 1, 0, 0, 1), v = h;
            h.h[k] = bad;
            v.v[k] = bad;
            EXPECT_FALSE(mesh_model::finite_corners(h)) << "h of corner " << k << ": " << bad;
            EXPECT_FALSE(mesh_model::finite_corners(v)) << "v of corner " << k << ": " << bad;
        }
    }
}

}  // namespace
