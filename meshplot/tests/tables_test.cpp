// The tables as meshplot holds them: every element record given back as it
// was read, however its numbers and groups run; the node of each number and
// the numbers given twice; the nodes' places written as plots::number
// writes them.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "meshplot/element_table.hpp"
#include "meshplot/node_places.hpp"
#include "meshplot/node_table.hpp"
#include "plots/svg.hpp"

namespace {

using meshplot::element_record;

bool same(const element_record& a, const element_record& b) {
    return a.number == b.number && a.nodes == b.nodes && std::bit_cast<std::uint32_t>(a.angle) ==
                                                              std::bit_cast<std::uint32_t>(b.angle) &&
           a.type == b.type;
}

TEST(ElementTable, GivesEveryRecordBackAsRead) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct table_case {
        const char* name;
        std::vector<element_record> records;
    };
    const table_case cases[] = {
        {"numbers in turn, one group", {{1, {1, 2, 3}, 45.0f, 1}, {2, {2, 3, 4}, 45.0f, 1}, {3, {3, 4, 5}, 45.0f, 1}}},
        {"numbers out of turn",
         {{5, {1, 2, 3}, 0.0f, 1}, {4, {1, 2, 3}, 0.0f, 1}, {9, {1, 2, 3}, 0.0f, 1}, {10, {1, 2, 3}, 0.0f, 1}}},
        {"a number given twice", {{1, {1, 2, 3}, 0.0f, 1}, {2, {1, 2, 3}, 0.0f, 1}, {1, {1, 2, 3}, 0.0f, 1}}},
        {"numbers of an I6 field's ends",
         {{-99999, {0, 0, 0}, 0.0f, 1},
          {-99998, {0, 0, 0}, 0.0f, 1},
          {999999, {0, 0, 0}, 0.0f, 1},
          {0, {0, 0, 0}, 0.0f, 1}}},
        {"groups back and forth",
         {{1, {1, 2, 3}, 45.0f, 1}, {2, {1, 2, 3}, -45.0f, 1}, {3, {1, 2, 3}, 45.0f, 1}, {4, {1, 2, 3}, 45.0f, 2},
          {5, {1, 2, 3}, 45.0f, 1}}},
        {"an angle of 0 and of -0", {{1, {1, 2, 3}, 0.0f, 1}, {2, {1, 2, 3}, -0.0f, 1}, {3, {1, 2, 3}, 0.0f, 1}}},
        {"angles that are not numbers",
         {{1, {1, 2, 3}, nan, 1}, {2, {1, 2, 3}, -nan, 1}, {3, {1, 2, 3}, nan, 1}, {4, {1, 2, 3}, nan, 1}}},
        {"no records", {}},
    };
    for (const table_case& c : cases) {
        meshplot::element_table table(c.records);
        ASSERT_EQ(table.size(), c.records.size()) << c.name;
        std::size_t visited = 0;
        table.for_each([&](std::size_t i, const element_record& e) {
            ASSERT_EQ(i, visited++) << c.name;
            EXPECT_TRUE(same(e, c.records[i])) << c.name << ", record " << i;
        });
        EXPECT_EQ(visited, c.records.size()) << c.name;
        for (std::size_t i = 0; i < c.records.size(); ++i) {
            EXPECT_TRUE(same(table[i], c.records[i])) << c.name << ", record " << i;
            EXPECT_EQ(table.nodes(i), c.records[i].nodes) << c.name << ", record " << i;
            EXPECT_EQ(table.line(i), static_cast<long>(i) + 1) << c.name << ", record " << i;
        }
    }
}

TEST(ElementTable, LinesOfTheRecords) {
    meshplot::element_table table;
    const long lines[] = {2, 3, 7, 8};
    for (long line : lines) table.add({static_cast<std::int32_t>(line), {1, 2, 3}, 0.0f, 1}, line);
    for (std::size_t i = 0; i < std::size(lines); ++i) EXPECT_EQ(table.line(i), lines[i]);
}

TEST(NodeTable, TheLaterRecordOfANumberGivenTwice) {
    const std::vector<meshplot::node_record> nodes = {
        {5, 0.0f, 0.0f}, {7, 1.0f, 0.0f}, {5, 2.0f, 0.0f}, {9, 3.0f, 0.0f},
        {7, 4.0f, 0.0f}, {5, 5.0f, 0.0f}, {-3, 6.0f, 0.0f},
    };
    const meshplot::node_table table(nodes);
    EXPECT_EQ(table.nodes().size(), nodes.size());
    // In the order of their second use, each once.
    EXPECT_EQ(table.numbers_twice(), (std::vector<std::int32_t>{5, 7}));
    struct find_case {
        std::int32_t number;
        std::ptrdiff_t position;
    };
    for (find_case c : {find_case{5, 5}, {7, 4}, {9, 3}, {-3, 6}, {1, -1}, {0, -1}, {1000000, -1}}) {
        EXPECT_EQ(table.position(c.number), c.position) << c.number;
        EXPECT_EQ(table.find(c.number), c.position < 0 ? nullptr : &table.nodes()[static_cast<std::size_t>(c.position)])
            << c.number;
    }
    const bool kept[] = {false, false, false, true, true, true, true};
    for (std::size_t k = 0; k < nodes.size(); ++k) EXPECT_EQ(table.kept(k), kept[k]) << k;
}

TEST(NodePlaces, WrittenAsTheGeneralNumber) {
    mesh_model::large_table<meshplot::node_record> nodes;
    std::mt19937_64 random(11);
    std::uniform_real_distribution<float> spread(-50.0f, 50.0f);
    // Far outside the picture (too long a place to keep, or written the
    // general way), not finite, and places a hair from half a hundredth
    // (x = h exactly below, with the scale taking h as it is), at both ends
    // of a table large enough for its places to be made on two threads.
    const float inf = std::numeric_limits<float>::infinity();
    auto add_far_places = [&] {
        for (float far : {1e30f, -1e30f, 3e38f, 1e6f, -1e6f, 123456.78f, 99999.99f, inf, -inf,
                          std::numeric_limits<float>::quiet_NaN(), 0.0f, -0.0f, 0.005f, -0.005f, 2.675f, 1.005f,
                          0.015f, -0.001f})
            nodes.push_back({static_cast<std::int32_t>(nodes.size()), far, -far});
    };
    add_far_places();
    for (int k = 0; k < 70000; ++k)
        nodes.push_back({static_cast<std::int32_t>(nodes.size()), spread(random), spread(random)});
    add_far_places();
    plots::chart_scales identity{{0.0, 1.0, 0.0, 1.0}, {0.0, 1.0, 0.0, 1.0}};
    plots::chart_scales picture{{-50.0, 50.0, 90.0, 1090.0}, {-50.0, 50.0, 775.0, 95.0}};
    for (const plots::chart_scales& s : {identity, picture}) {
        const meshplot::node_places places(nodes, s);
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            std::string x = plots::number(s.x(nodes[k].h)), y = plots::number(s.y(nodes[k].v));
            std::string point, alone_x, alone_y;
            places.append_point(point, k);
            places.append_x(alone_x, k);
            places.append_y(alone_y, k);
            ASSERT_EQ(point, x + "," + y) << nodes[k].h << ", " << nodes[k].v;
            ASSERT_EQ(alone_x, x) << nodes[k].h;
            ASSERT_EQ(alone_y, y) << nodes[k].v;
            char text[32];
            if (char* end = places.put_point(text, k)) {
                ASSERT_EQ(std::string(text, end), point);
            }
            if (char* end = places.put_apart(text, k, "\" cy=\"")) {
                ASSERT_EQ(std::string(text, end), x + "\" cy=\"" + y);
            }
        }
    }
}

}  // namespace
