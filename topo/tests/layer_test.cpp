// Whole layers checked against geometry built here independently of topo's
// pattern tables: every node row is laid out with coordinates, and the
// elements topo writes must use nodes of their own element row, turn
// clockwise and tile the layer without overlap. The examples are checked the
// same way against the node table that nodes writes for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/scratch.hpp"
#include "topo/tests/wtopo_text.hpp"

namespace {

using namespace topo_test;
using suite_test::records_of;
using suite_test::run_in;
using suite_test::scratch_dir;

struct point {
    double x;
    double y;
};

using triangle = std::array<point, 3>;

double signed_area(const triangle& t) {
    return 0.5 * ((t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[2].x - t[0].x) * (t[1].y - t[0].y));
}

// True when the interiors of two triangles meet: no edge of either one
// separates them.
bool overlap(const triangle& a, const triangle& b) {
    for (const triangle* t : {&a, &b}) {
        for (std::size_t e = 0; e < 3; ++e) {
            point p = (*t)[e], q = (*t)[(e + 1) % 3];
            auto span = [&](const triangle& u) {
                std::pair<double, double> s{1e300, -1e300};
                for (const point& v : u) {
                    double d = (q.y - p.y) * v.x + (p.x - q.x) * v.y;
                    s = {std::min(s.first, d), std::max(s.second, d)};
                }
                return s;
            };
            auto [amin, amax] = span(a);
            auto [bmin, bmax] = span(b);
            if (amax <= bmin + 1e-9 || bmax <= amin + 1e-9) return false;
        }
    }
    return true;
}

// Checks that the triangles turn clockwise, do not overlap and cover `area`.
void expect_tiling(const std::vector<triangle>& triangles, double area) {
    double total = 0.0;
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        double a = signed_area(triangles[i]);
        EXPECT_LT(a, 0.0) << "element " << i << " is not clockwise";
        total += -a;
        for (std::size_t j = i + 1; j < triangles.size(); ++j)
            EXPECT_FALSE(overlap(triangles[i], triangles[j])) << "elements " << i << " and " << j << " overlap";
    }
    EXPECT_NEAR(total, area, 1e-9);
}

// ---- one generated layer ----------------------------------------------------

// Node rows of a layer of width 2 nb (fine spacing 1), element row r lying
// between y = 18 - 2r and y = 16 - 2r. Start numbers: top row 1, bottom row
// of element row r at 100 r, its centre row at 100 r + 50.
struct layer_geometry {
    long nb;
    layer_starts starts{};
    std::map<long, point> nodes;
    std::map<long, int> row_of;  // element rows a node may serve, as a bit set

    explicit layer_geometry(long nb_) : nb(nb_) {
        starts.itop = 1;
        add_boundary(1, 16.0, true, 1 << 1);
        for (int r = 1; r <= 8; ++r) {
            starts.ibtm[r] = 100 * r;
            starts.imid[r] = 100 * r + 50;
            double bottom = 16.0 - 2.0 * r;
            bool fine = r < 3 || r > 5;
            add_boundary(starts.ibtm[r], bottom, fine, (1 << r) | (r < 8 ? 1 << (r + 1) : 0));
            double mid = bottom + 1.0;
            int serves = 1 << r;
            if (r == 1 || r == 8)  // centres of the fine cells
                for (long j = 0; j < 2 * nb; ++j) add(starts.imid[r] + j, {j + 0.5, mid}, serves);
            if (r == 4 || r == 5)  // centres of the coarse cells
                for (long j = 0; j < nb; ++j) add(starts.imid[r] + j, {2.0 * j + 1.0, mid}, serves);
            if (r == 3 || r == 6)  // sides and fan centres
                for (long j = 0; j <= 2 * nb; ++j) add(starts.imid[r] + j, {double(j), mid}, serves);
        }
    }
    void add_boundary(long first, double y, bool fine, int serves) {
        if (fine)
            for (long j = 0; j <= 2 * nb; ++j) add(first + j, {double(j), y}, serves);
        else
            for (long j = 0; j <= nb; ++j) add(first + j, {2.0 * j, y}, serves);
    }
    void add(long number, point p, int serves) {
        ASSERT_TRUE(nodes.emplace(number, p).second) << number;
        row_of[number] = serves;
    }
};

class TopoLayerGeometry : public testing::TestWithParam<long> {};

TEST_P(TopoLayerGeometry, ElementsTileTheLayerClockwise) {
    const long nb = GetParam();
    layer_geometry g(nb);
    auto run = suite_test::run_case(TOPO_PROGRAM, "wtopo.dat",
                                    count2(0) + count1(1) + section_header(1, nb, 1) + layer_text("0.0", 1, g.starts),
                                    {"wtopo.out"});
    ASSERT_EQ(run.status, 0) << run.diagnostics;
    const auto& records = run.outputs[0];
    ASSERT_EQ(records.size(), static_cast<std::size_t>(46 * nb));

    const long per_row[9] = {0, 8 * nb, 4 * nb, 7 * nb, 4 * nb, 4 * nb, 7 * nb, 4 * nb, 8 * nb};
    std::vector<triangle> triangles;
    std::size_t k = 0;
    for (int r = 1; r <= 8; ++r) {
        for (long e = 0; e < per_row[r]; ++e, ++k) {
            parsed_element el = parse_record(records[k]);
            EXPECT_EQ(el.number, static_cast<long>(k) + 1);
            triangle t{};
            for (std::size_t c = 0; c < 3; ++c) {
                auto found = g.nodes.find(el.nodes[c]);
                ASSERT_NE(found, g.nodes.end()) << "element " << el.number << " names node " << el.nodes[c];
                EXPECT_TRUE(g.row_of[el.nodes[c]] & (1 << r))
                    << "element " << el.number << " of row " << r << " uses node " << el.nodes[c];
                t[c] = found->second;
            }
            triangles.push_back(t);
        }
    }
    expect_tiling(triangles, 2.0 * nb * 16.0);
}

INSTANTIATE_TEST_SUITE_P(Widths, TopoLayerGeometry, testing::Values(1L, 2L, 3L));

// ---- the examples: one mesh -------------------------------------------------

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TopoExamples, ElementsNameOnlyNodesOfTheNodeTableAndTileTheModel) {
    const std::filesystem::path examples = EXAMPLES_DIR;
    scratch_dir dir;
    dir.write("wnodes.dat", slurp(examples / "wnodes.dat"));
    dir.write("wtopo.dat", slurp(examples / "wtopo.dat"));
    auto nodes_run = run_in(dir, NODES_PROGRAM);
    ASSERT_EQ(nodes_run.status, 0) << nodes_run.diagnostics;
    auto topo_run = run_in(dir, TOPO_PROGRAM);
    ASSERT_EQ(topo_run.status, 0) << topo_run.diagnostics;

    std::map<long, point> nodes;
    double xmin = 1e300, xmax = -1e300, ymin = 1e300, ymax = -1e300;
    for (const std::string& r : records_of(dir.read("wnodes.out"))) {
        long number = std::stol(r.substr(0, 6));
        point p{std::stod(r.substr(15, 12)), std::stod(r.substr(27, 12))};
        ASSERT_TRUE(nodes.emplace(number, p).second) << "node " << number << " twice";
        xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
        ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
    }
    auto elements = records_of(dir.read("wtopo.out"));
    ASSERT_FALSE(elements.empty());
    std::vector<triangle> triangles;
    long expected_number = parse_record(elements[0]).number;
    for (const std::string& r : elements) {
        parsed_element e = parse_record(r);
        EXPECT_EQ(e.number, expected_number++);
        triangle t{};
        for (std::size_t c = 0; c < 3; ++c) {
            auto found = nodes.find(e.nodes[c]);
            ASSERT_NE(found, nodes.end()) << "element " << e.number << " names node " << e.nodes[c];
            t[c] = found->second;
        }
        triangles.push_back(t);
    }
    expect_tiling(triangles, (xmax - xmin) * (ymax - ymin));
}

}  // namespace
