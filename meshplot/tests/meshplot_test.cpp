// meshplot, run end to end in a scratch folder: the picture, the check on
// standard output and the exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "plots/tests/svg_check.hpp"
#include "tests/support/scratch.hpp"

namespace {

using suite_test::run_in;
using suite_test::scratch_dir;

const std::string program = MESHPLOT_PROGRAM;

// Node records (I6,3I3,2F12.6) of a unit square: 1 top left, 2 top right,
// 3 bottom left, 4 bottom right.
const std::string square_nodes =
    "     1  0  1  1    0.000000    1.000000\n"
    "     2  0  0  1    1.000000    1.000000\n"
    "     3  0  1  0    0.000000    0.000000\n"
    "     4  0  0  0    1.000000    0.000000\n";

// Element records (4I6,F8.2,I3).
const std::string clean_elements =
    "     1     3     1     2    0.00  1\n"
    "     2     3     2     4   90.00  2\n";

std::size_t count(const std::string& doc, const std::string& part) {
    return svg_check::elements(doc, "polygon", part).size();
}

TEST(Meshplot, ACleanMeshDrawsOnePolygonPerElementAndExitsZero) {
    scratch_dir dir;
    dir.write("wnodes.out", square_nodes);
    dir.write("wtopo.out", clean_elements);
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 0) << result.diagnostics;
    EXPECT_EQ(result.diagnostics, "");
    EXPECT_EQ(result.output,
              "nodes in wnodes.out: 4\n"
              "elements in wtopo.out: 2\n"
              "elements naming a node missing from the node table: 0\n"
              "elements whose nodes are not in clockwise order: 0\n"
              "elements of zero area: 0\n"
              "element numbers used twice: 0\n"
              "the mesh is clean\n");
    std::string doc = dir.read("mesh.svg");
    ASSERT_EQ(svg_check::well_formed_error(doc), "");
    EXPECT_EQ(count(doc, "class=\"element"), 2u);
    EXPECT_EQ(count(doc, "fault"), 0u);
    // The two groups shade differently and the legend names both.
    auto polygons = svg_check::elements(doc, "polygon");
    EXPECT_NE(polygons[0].substr(polygons[0].find("fill=")), polygons[1].substr(polygons[1].find("fill=")));
    auto texts = svg_check::texts(doc);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "angle 0.00\u00b0, type 1"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "angle 90.00\u00b0, type 2"), texts.end());
    // v upwards: node 1 (v = 1) is drawn above node 3 (v = 0).
    std::string first = polygons[0].substr(polygons[0].find("points=\"") + 8);
    double y3 = std::stod(first.substr(first.find(',') + 1));
    first = first.substr(first.find(' ') + 1);
    double y1 = std::stod(first.substr(first.find(',') + 1));
    EXPECT_LT(y1, y3);
}

TEST(Meshplot, AMeshBuiltWithFaultsIsReportedMarkedAndExitsOne) {
    scratch_dir dir;
    dir.write("wnodes.out", square_nodes);
    dir.write("wtopo.out",
              "     1     3     1     2    0.00  1\n"
              "     2     3     2     4    0.00  1\n"
              "     3     2     1     3    0.00  1\n"
              "     4     1     2    99    0.00  1\n"
              "     5     1     1     2    0.00  1\n"
              "     2     3     2     4    0.00  1\n");
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "");
    EXPECT_EQ(result.output,
              "nodes in wnodes.out: 4\n"
              "elements in wtopo.out: 6\n"
              "elements naming a node missing from the node table: 1\n"
              "  element 4 (wtopo.out record 4): node 99 not in wnodes.out\n"
              "elements whose nodes are not in clockwise order: 1\n"
              "  element 3 (wtopo.out record 3): nodes 2 1 3 run anticlockwise\n"
              "elements of zero area: 1\n"
              "  element 5 (wtopo.out record 5): nodes 1 1 2 enclose no area\n"
              "element numbers used twice: 1\n"
              "  element 2: wtopo.out records 2, 6\n"
              "the mesh has faults; the faulty elements are marked in mesh.svg\n");
    std::string doc = dir.read("mesh.svg");
    ASSERT_EQ(svg_check::well_formed_error(doc), "");
    // Every element with its nodes in the table is drawn; four are marked.
    EXPECT_EQ(count(doc, "class=\"element"), 5u);
    EXPECT_EQ(count(doc, "class=\"element fault\""), 4u);
    for (const char* number : {"3", "5"})
        EXPECT_EQ(count(doc, std::string("fault\" data-number=\"") + number + "\""), 1u) << number;
    EXPECT_EQ(count(doc, "fault\" data-number=\"2\""), 2u);
    auto texts = svg_check::texts(doc);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "1 element not drawn (missing node or coordinate not finite)"),
              texts.end());
}

TEST(Meshplot, NonFiniteCoordinatesAreNotDrawnAndCountAsAFault) {
    scratch_dir dir;
    dir.write("wnodes.out", square_nodes + "     5  0  0  0         NaN    0.500000\n"
                                           "     6  0  0  0    Infinity    0.500000\n");
    dir.write("wtopo.out", clean_elements + "     3     5     1     2    0.00  1\n"
                                            "     4     6     1     2    0.00  1\n");
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("elements at a coordinate that is not finite (not drawn): 2\n"), std::string::npos);
    std::string doc = dir.read("mesh.svg");
    ASSERT_EQ(svg_check::well_formed_error(doc), "");
    EXPECT_EQ(count(doc, "class=\"element"), 2u);
    EXPECT_EQ(doc.find("nan"), std::string::npos);
    EXPECT_EQ(doc.find("inf"), std::string::npos);
}

TEST(Meshplot, FileFaultsEndTheRunWithOneLineAndHelpTouchesNoFile) {
    struct case_ {
        std::string nodes, elements, diagnostic;
    } cases[] = {
        {square_nodes.substr(0, 80) + "     3  0  1  0         abc    0.000000\n", clean_elements,
         "meshplot: wnodes.out, record 3, columns 16-27: \"         abc\" is not a valid F12.6 field\n"},
        {square_nodes, "     1     3     1    2.    0.00  1\n",
         "meshplot: wtopo.out, record 1, columns 19-24: \"    2.\" is not a valid I6 field\n"},
        {square_nodes, "     1     3     1     2    0.x0  1\n",
         "meshplot: wtopo.out, record 1, columns 25-32: \"    0.x0\" is not a valid F8.2 field\n"},
        {square_nodes, "     1     3     1     2    0.00 \x01" "1\n",
         "meshplot: wtopo.out, record 1, columns 33-35: \" \\x011\" is not a valid I3 field\n"},
    };
    for (const auto& c : cases) {
        scratch_dir dir;
        dir.write("wnodes.out", c.nodes);
        dir.write("wtopo.out", c.elements);
        auto result = run_in(dir, program);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.diagnostics, c.diagnostic);
        EXPECT_FALSE(dir.exists("mesh.svg"));
    }
    scratch_dir missing;
    missing.write("wnodes.out", square_nodes);
    auto result = run_in(missing, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "meshplot: cannot open wtopo.out: No such file or directory\n");
    auto help = run_in(missing, program, nullptr, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("mesh.svg"), std::string::npos);
    EXPECT_EQ(missing.files(), std::vector<std::string>{"wnodes.out"});  // neither run drew
}

#ifdef TOPO_PROGRAM
std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Meshplot, TheShippedExampleMeshIsCleanAndFullyDrawn) {
    scratch_dir dir;
    dir.write("wnodes.dat", slurp(EXAMPLES_DIR "/wnodes.dat"));
    dir.write("wtopo.dat", slurp(EXAMPLES_DIR "/wtopo.dat"));
    ASSERT_EQ(run_in(dir, NODES_PROGRAM).status, 0);
    ASSERT_EQ(run_in(dir, TOPO_PROGRAM).status, 0);
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("the mesh is clean\n"), std::string::npos);
    EXPECT_EQ(svg_check::well_formed_error(dir.read("mesh.svg")), "");
    EXPECT_EQ(count(dir.read("mesh.svg"), "class=\"element"), suite_test::records_of(dir.read("wtopo.out")).size());
}
#endif

}  // namespace
