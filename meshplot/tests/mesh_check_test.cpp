// The mesh check on small tables, where whole runs cannot reach: corners
// on a line after rounding, node numbers given twice, long fault lists.
#include <gtest/gtest.h>

#include <vector>

#include "meshplot/mesh_check.hpp"

namespace {

using meshplot::element_record;
using meshplot::node_record;

// A unit square: 1 top left, 2 top right, 3 bottom left, 4 bottom right.
std::vector<node_record> square() { return {{1, 0, 1, 1}, {2, 1, 1, 2}, {3, 0, 0, 3}, {4, 1, 0, 4}}; }

element_record element(int number, int a, int b, int c, long record) {
    return {number, {a, b, c}, 0.0f, 1, record};
}

TEST(ZeroArea, RepeatedCornersAndCornersOnALine) {
    struct case_ {
        meshplot::corner_points p;
        bool zero;
    } cases[] = {
        {{{0, 1, 2}, {0, 0, 0}}, true},
        {{{0, 0.1, 0.3}, {0, 0.2, 0.6}}, true},  // on a slanted line, with rounding
        {{{5, 5, 5}, {7, 7, 7}}, true},
        {{{0, 0, 1}, {0, 1, 1}}, false},
        {{{0, 1e-3, 2e-3}, {0, 1e-3, 0}}, false},  // small but a real triangle
    };
    for (const auto& c : cases) EXPECT_EQ(meshplot::zero_area(c.p), c.zero);
}

TEST(CheckMesh, ANodeNumberGivenTwice) {
    auto nodes = square();
    nodes.push_back({2, 1, 1, 5});
    auto twice = meshplot::check_mesh(nodes, {element(1, 3, 1, 2, 1)});
    EXPECT_FALSE(twice.clean());
    EXPECT_EQ(twice.node_numbers_twice, std::vector<std::int32_t>{2});
}

TEST(CheckReport, ListsTheFirstTenOfAKindAndCountsTheRest) {
    std::vector<element_record> elements;
    for (int k = 1; k <= 13; ++k) elements.push_back(element(k, 2, 1, 3, k));
    auto check = meshplot::check_mesh(square(), elements);
    std::string report = meshplot::check_report(check, square(), elements);
    EXPECT_NE(report.find("elements whose nodes are not in clockwise order: 13\n"
                          "  element 1 (wtopo.out record 1): nodes 2 1 3 run anticlockwise\n"),
              std::string::npos);
    EXPECT_NE(report.find("  element 10 (wtopo.out record 10)"), std::string::npos);
    EXPECT_EQ(report.find("  element 11 (wtopo.out record 11)"), std::string::npos);
    EXPECT_NE(report.find("  ... and 3 more\n"), std::string::npos);
}

}  // namespace
