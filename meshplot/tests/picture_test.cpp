// The mesh picture tells what it shows: its legend lists only what is
// drawn, no text runs off the picture, the numbers come on request up to
// their limit, and the fast coordinates read as the general ones.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "meshplot/coordinate_text.hpp"
#include "meshplot/mesh_check.hpp"
#include "meshplot/mesh_picture.hpp"

namespace {

using meshplot::element_record;
using meshplot::node_record;

struct mesh {
    std::vector<node_record> nodes;
    std::vector<element_record> elements;
};

// A grid of `columns` by `rows` unit squares, each cut into two triangles
// listed clockwise (the order topo writes), all of angle 0 and type 1.
mesh grid(int columns, int rows) {
    mesh m;
    auto number = [&](int i, int j) { return j * (columns + 1) + i + 1; };
    for (int j = 0; j <= rows; ++j)
        for (int i = 0; i <= columns; ++i)
            m.nodes.push_back({number(i, j), static_cast<float>(i), static_cast<float>(-j)});
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) {
            int a = number(i, j), b = a + 1, c = number(i, j + 1), d = c + 1;
            std::int32_t e = static_cast<std::int32_t>(m.elements.size()) + 1;
            m.elements.push_back({e, {c, a, b}, 0.0f, 1});
            m.elements.push_back({e + 1, {c, b, d}, 0.0f, 1});
        }
    return m;
}

std::string picture(const mesh& m, meshplot::picture_options options = {}) {
    const meshplot::node_table table(m.nodes);
    const meshplot::element_table elements(m.elements);
    return meshplot::mesh_picture(table, elements, meshplot::check_mesh(table, elements), options);
}

std::string legend_of(const std::string& svg) {
    std::size_t from = svg.find("<g class=\"legend\">");
    EXPECT_NE(from, std::string::npos);
    return svg.substr(from, svg.find("</g>", from) - from);
}

struct legend_case {
    const char* name;
    mesh m;
    std::vector<std::string> listed;
    std::vector<std::string> not_listed;
};

TEST(MeshPicture, LegendListsOnlyWhatIsDrawn) {
    mesh clean = grid(1, 1);
    // A second group whose only element runs anticlockwise: drawn red, as a
    // fault, never in its group's colour.
    mesh faulty = grid(1, 1);
    faulty.elements.push_back({3, {1, 3, 2}, 45.0f, 2});
    // A group whose only element names a missing node: not drawn at all.
    mesh undrawn = grid(1, 1);
    undrawn.elements.push_back({3, {1, 2, 99}, 90.0f, 3});
    const legend_case cases[] = {
        {"clean", clean, {"angle 0.00°, type 1", ">node<"}, {"faulty element", "not drawn", "type 2", "number<"}},
        {"faulty", faulty, {"angle 0.00°, type 1", "faulty element (number shown)"}, {"type 2", "not drawn"}},
        {"undrawn", undrawn, {"angle 0.00°, type 1", "1 element not drawn"}, {"type 3", "faulty element"}},
    };
    for (const legend_case& c : cases) {
        std::string legend = legend_of(picture(c.m));
        for (const std::string& text : c.listed) EXPECT_NE(legend.find(text), std::string::npos) << c.name << ": " << text;
        for (const std::string& text : c.not_listed)
            EXPECT_EQ(legend.find(text), std::string::npos) << c.name << ": " << text;
    }
}

// The value of attribute `name` in the markup from `from` up to its end.
double attribute_at(const std::string& svg, std::size_t from, const std::string& name) {
    std::size_t at = svg.find(" " + name + "=\"", from);
    EXPECT_LT(at, svg.find('>', from)) << name;
    return std::stod(svg.substr(at + name.size() + 3));
}

// Every text anchored at its start ends within the picture, on the width
// estimate the picture fills its lines to.
void expect_texts_fit(const std::string& svg, const char* name) {
    double width = attribute_at(svg, svg.find("<svg "), "width");
    int seen = 0;
    for (std::size_t at = svg.find("<text "); at != std::string::npos; at = svg.find("<text ", at + 1)) {
        std::size_t open_end = svg.find('>', at);
        if (svg.substr(at, open_end - at).find(R"(text-anchor="start")") == std::string::npos) continue;
        std::string content = svg.substr(open_end + 1, svg.find("</text>", open_end) - open_end - 1);
        std::size_t characters = 0;
        for (char ch : content) characters += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
        double end = attribute_at(svg, at, "x") + 0.6 * attribute_at(svg, at, "font-size") * static_cast<double>(characters);
        EXPECT_LE(end, width) << name << ": " << content;
        ++seen;
    }
    EXPECT_GT(seen, 3) << name;
}

TEST(MeshPicture, NoTextRunsOffThePicture) {
    mesh many_undrawn = grid(2, 2);
    for (std::int32_t k = 0; k < 12345; ++k) many_undrawn.elements.push_back({100 + k, {1, 2, 999999}, 0.0f, 1});
    mesh slender = grid(200, 1);  // 200 wide, 1 high: drawn at two scales, with a note
    mesh numbered = grid(40, 40);
    meshplot::picture_options numbers;
    numbers.numbers = true;
    expect_texts_fit(picture(many_undrawn), "many undrawn");
    expect_texts_fit(picture(slender), "slender");
    expect_texts_fit(picture(numbered, numbers), "numbers left out");
    EXPECT_NE(picture(slender).find("v drawn at 52 times the scale of h"), std::string::npos);
}

TEST(MeshPicture, NumbersOnRequestUpToTheirLimit) {
    meshplot::picture_options numbers;
    numbers.numbers = true;
    mesh at_limit = grid(50, 30);  // 3000 elements
    mesh past_limit = at_limit;
    past_limit.elements.push_back({3001, {1, 2, 53}, 0.0f, 1});
    ASSERT_EQ(at_limit.elements.size(), meshplot::numbered_elements);
    std::string plain = picture(at_limit);
    std::string numbered = picture(at_limit, numbers);
    std::string left_out = picture(past_limit, numbers);
    EXPECT_EQ(plain.find("element-numbers"), std::string::npos);
    EXPECT_NE(numbered.find(R"(<g class="element-numbers")"), std::string::npos);
    EXPECT_NE(numbered.find(">2999</text>"), std::string::npos);
    EXPECT_NE(numbered.find(R"(<g class="node-numbers")"), std::string::npos);
    EXPECT_NE(legend_of(numbered).find("element number"), std::string::npos);
    EXPECT_EQ(left_out.find("element-numbers"), std::string::npos);
    EXPECT_NE(left_out.find("numbers left out: 3001 elements are more than the 3000"), std::string::npos);
    EXPECT_EQ(legend_of(left_out).find("element number"), std::string::npos);
}

// A mesh of many elements and nodes, drawn in batches made on two threads:
// every element once and in order, each with its group's fill wherever a
// batch begins, the faulty ones outlined after them, every node once.
TEST(MeshPicture, ManyElementsAreDrawnInTheirOrderWithTheirGroupsFill) {
    mesh m = grid(100, 60);  // 12000 elements on 6161 nodes
    // Groups in runs of 700 elements, which batches cut across.
    for (std::size_t i = 0; i < m.elements.size(); ++i) {
        m.elements[i].type = 1 + static_cast<std::int32_t>(i / 700 % 3);
        m.elements[i].angle = i / 2100 % 2 == 0 ? 0.0f : 45.0f;
    }
    for (std::size_t i : {5000u, 9000u}) std::swap(m.elements[i].nodes[1], m.elements[i].nodes[2]);  // anticlockwise
    std::string svg = picture(m);
    std::size_t sound = svg.find(R"(<g class="elements")"), faults = svg.find(R"(<g class="faults")");
    ASSERT_NE(sound, std::string::npos);
    ASSERT_NE(faults, std::string::npos);
    std::vector<std::int32_t> numbers;
    std::map<std::pair<std::int32_t, float>, std::string> fill_of;
    std::set<std::string> fills;
    for (std::size_t at = svg.find("<polygon", sound); at < faults; at = svg.find("<polygon", at + 1)) {
        std::size_t line_end = svg.find('\n', at);
        std::string line = svg.substr(at, line_end - at);
        std::size_t number_at = line.find("data-number=\"") + 13, fill_at = line.find("fill=\"") + 6;
        std::int32_t number = std::stoi(line.substr(number_at));
        numbers.push_back(number);
        const element_record& e = m.elements[static_cast<std::size_t>(number - 1)];
        std::string fill = line.substr(fill_at, line.find('"', fill_at) - fill_at);
        auto [known, fresh] = fill_of.try_emplace({e.type, e.angle}, fill);
        EXPECT_EQ(known->second, fill) << "element " << number;
        if (fresh) {
            EXPECT_TRUE(fills.insert(fill).second) << "two groups filled " << fill;
        }
    }
    std::vector<std::int32_t> expected;
    for (std::int32_t n = 1; n <= 12000; ++n)
        if (n != 5001 && n != 9001) expected.push_back(n);
    EXPECT_EQ(numbers, expected);
    EXPECT_EQ(fill_of.size(), 6u);
    std::size_t outlined = svg.find(R"(data-number="5001")", faults);
    EXPECT_NE(outlined, std::string::npos);
    EXPECT_LT(outlined, svg.find(R"(data-number="9001")", faults));
    std::size_t nodes = svg.find(R"(<g class="nodes")"), nodes_end = svg.find("</g>", nodes);
    ASSERT_NE(nodes, std::string::npos);
    std::size_t circles = 0;
    for (std::size_t at = svg.find("<circle cx=", nodes); at < nodes_end; at = svg.find("<circle cx=", at + 1)) ++circles;
    EXPECT_EQ(circles, m.nodes.size());
}

TEST(CoordinateText, ReadsAsTheGeneralNumber) {
    std::vector<double> values = {0.0, -0.0, 0.004, -0.004, 0.005, -0.005, 0.015, 0.125, 0.375, 1.005, 2.675,
                                  -2.675, 99.995, 103.08, 1e14, -1e14, 1e16, 123456789.125, 1e300,
                                  std::nan(""), HUGE_VAL, -HUGE_VAL};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> spread(-2000.0, 2000.0);
    for (int k = 0; k < 200000; ++k) values.push_back(spread(random));
    // Values a hair from half a hundredth, on both sides.
    for (int k = -2000; k < 2000; ++k) {
        double half = (k + 0.5) / 100.0;
        values.push_back(std::nextafter(half, 0.0));
        values.push_back(half);
        values.push_back(std::nextafter(half, 1e9));
    }
    for (double v : values) {
        std::string fast;
        meshplot::append_coordinate(fast, v);
        ASSERT_EQ(fast, plots::number(v)) << v;
    }
}

}  // namespace
