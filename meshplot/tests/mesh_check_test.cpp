// The mesh check on small tables: orientation, area, missing nodes and
// numbers used twice.
#include <gtest/gtest.h>

#include <vector>

#include "meshplot/mesh_check.hpp"

namespace {

using meshplot::corner_points;
using meshplot::element_record;
using meshplot::node_record;

// A unit square: 1 top left, 2 top right, 3 bottom left, 4 bottom right.
std::vector<node_record> square() { return {{1, 0, 1, 1}, {2, 1, 1, 2}, {3, 0, 0, 3}, {4, 1, 0, 4}}; }

element_record element(int number, int a, int b, int c, long record) {
    return {number, {a, b, c}, 0.0f, 1, record};
}

TEST(Orientation, ClockwiseWithVUpwardsHasNegativeArea) {
    // topo's centred cell: centre m, then top t, t+1 (top row above) runs clockwise.
    corner_points cell{{0.5, 0.0, 1.0}, {0.5, 1.0, 1.0}};
    EXPECT_LT(meshplot::twice_signed_area(cell), 0.0);
    corner_points reversed{{0.5, 1.0, 0.0}, {0.5, 1.0, 1.0}};
    EXPECT_GT(meshplot::twice_signed_area(reversed), 0.0);
}

TEST(ZeroArea, RepeatedCornersAndCornersOnALine) {
    struct case_ {
        corner_points p;
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

TEST(CheckMesh, EachFaultIsFoundOnTheElementThatHasIt) {
    std::vector<element_record> elements = {
        element(1, 3, 1, 2, 1),   // clockwise
        element(2, 3, 2, 4, 2),   // clockwise
        element(3, 2, 1, 3, 3),   // anticlockwise
        element(4, 1, 2, 99, 4),  // node 99 missing
        element(5, 1, 1, 2, 5),   // zero area
        element(2, 3, 2, 4, 6),   // number 2 again
    };
    auto check = meshplot::check_mesh(square(), elements);
    EXPECT_FALSE(check.clean());
    EXPECT_EQ(check.nodes, 4u);
    EXPECT_EQ(check.elements, 6u);
    EXPECT_EQ(check.anticlockwise, std::vector<std::size_t>{2});
    EXPECT_EQ(check.missing_node, std::vector<std::size_t>{3});
    EXPECT_EQ(check.zero_area, std::vector<std::size_t>{4});
    EXPECT_EQ(check.numbers_twice, std::vector<std::int32_t>{2});
    EXPECT_EQ(check.number_twice, (std::vector<std::size_t>{1, 5}));
    EXPECT_TRUE(check.node_numbers_twice.empty());
}

TEST(CheckMesh, ACleanMeshAndANodeNumberGivenTwice) {
    auto clean = meshplot::check_mesh(square(), {element(1, 3, 1, 2, 1), element(2, 3, 2, 4, 2)});
    EXPECT_TRUE(clean.clean());

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
