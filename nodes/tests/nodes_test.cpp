// nodes, run end to end in a scratch folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scratch.hpp"

namespace {

using strings = std::vector<std::string>;
const std::string program = NODES_PROGRAM;

// Two lines closed by a third record; the second line's spacing code 0 means 1.
const std::string two_lines =
    "  2\n"
    "0.00000 0.00000 2    1 1    4 2\n"
    "12.0000 0.00000 1    7 0\n"
    "0.00000 0.00000 1   10 1\n";

std::string nine_segments() {
    // Segments of one node each at spacing codes 1..9, the last pair on a
    // continuation record, then the closing line.
    std::string line = "  1\n0.00000 -2.0000 9";
    for (int k = 1; k <= 8; ++k) line += "    " + std::to_string(k) + " " + std::to_string(k);
    return line + "\n    9 9\n0.00000 0.00000 1   10 1\n";
}

struct node_case {
    const char* name;
    std::string input;
    int status;
    std::string diagnostics;
    strings expected;
};

class NodesRun : public testing::TestWithParam<node_case> {};

TEST_P(NodesRun, RecordForRecord) {
    const node_case& c = GetParam();
    auto r = suite_test::run_case(program, "wnodes.dat", c.input, {"wnodes.out"});
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.diagnostics, c.diagnostics);
    EXPECT_EQ(r.outputs[0], c.expected);
}

const strings worked = {
    "     1  0  1  0    0.000000    0.000000", "     2  0  0  0    1.000000    0.000000",
    "     3  0  0  0    2.000000    0.000000", "     4  0  0  0    3.000000    0.000000",
    "     5  0  0  0    3.500000    0.000000", "     6  0  0  0    4.000000    0.000000",
    "     7  1  1  1    0.000000   12.000000", "     8  0  0  1    1.000000   12.000000",
    "     9  0  0  1    2.000000   12.000000",
};

INSTANTIATE_TEST_SUITE_P(
    Cases, NodesRun,
    testing::Values(
        node_case{"WorkedExample", two_lines, 0, "", worked},
        node_case{"NoLinesStillReadsTheFirstLineRecord", "  0\n0.00000 0.00000 1    1 1\n", 0, "", {}},
        // h runs on across the segments: -2, then +1, +0.5, +0.25, ...
        node_case{"NineSegmentsTakeTheLastPairFromAContinuationRecord", nine_segments(), 0, "",
                  {"     1  0  0  0   -2.000000    0.000000", "     2  0  0  0   -1.000000    0.000000",
                   "     3  0  0  0   -0.500000    0.000000", "     4  0  0  0   -0.250000    0.000000",
                   "     5  0  0  0   -0.125000    0.000000", "     6  0  0  0   -0.062500    0.000000",
                   "     7  0  0  0   -0.031250    0.000000", "     8  0  0  0   -0.015625    0.000000",
                   "     9  0  0  0   -0.007812    0.000000"}},
        // A line from h = -1 reaching 0.0 sets ih there; a segment whose
        // successor starts at or below it writes nothing and h stays.
        node_case{"FlagsAndEmptySegments",
                  "  2\n12.0000 -1.0000 3    5 1    5 1    7 1\n3.00000 0.00000 1    9 1\n0.00000 0.00000 1   11 1\n",
                  0, "",
                  {"     5  0  0  1   -1.000000   12.000000", "     6  1  1  1    0.000000   12.000000",
                   "     7  0  0  1    1.000000   12.000000", "     8  0  0  1    2.000000   12.000000",
                   "     9  0  1  0    0.000000    3.000000", "    10  0  0  0    1.000000    3.000000"}},
        node_case{"MissingFirstLine", "  0\n", 1,
                  "nodes: wnodes.dat, record 2: end of file, the file has only 1 record\n", {}},
        // The nodes of complete lines are kept.
        node_case{"FileEndingEarly", "  3\n" + two_lines.substr(4), 1,
                  "nodes: wnodes.dat, record 5: end of file, the file has only 4 records\n", worked},
        // The first line could not be closed, so no node was written.
        node_case{"MalformedField", "  2\n0.00000 0.00000 2    1 1    4 2\n12.0000 0.00000 1  7x4 0\n0.00000 0.00000 1   10 1\n", 1,
                  "nodes: wnodes.dat, record 3, columns 19-22: \" 7x4\" is not a valid I4 field\n", {}}),
    [](const testing::TestParamInfo<node_case>& info) { return std::string(info.param.name); });

TEST(Nodes, MissingInputOldOutputHelpVersionAndUsage) {
    suite_test::scratch_dir dir;
    auto missing = suite_test::run_in(dir, program);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.diagnostics, "nodes: cannot open wnodes.dat: No such file or directory\n");
    EXPECT_TRUE(dir.files().empty());
    dir.write("wnodes.dat", "  0\n0.00000 0.00000 0\n");
    auto help = suite_test::run_in(dir, program, nullptr, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("wnodes.dat"), std::string::npos);
    EXPECT_NE(help.output.find("wnodes.out"), std::string::npos);
    auto version = suite_test::run_in(dir, program, nullptr, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("nodes ", 0), 0u);
    for (const strings& arguments : std::vector<strings>{{"-h"}, {"wnodes.dat"}, {"--help", "x"}}) {
        auto usage = suite_test::run_in(dir, program, nullptr, arguments);
        EXPECT_EQ(usage.status, 2);
        EXPECT_EQ(usage.output, "");
        EXPECT_EQ(suite_test::records_of(usage.diagnostics).size(), 1u);
    }
    EXPECT_EQ(dir.files(), strings{"wnodes.dat"});
    dir.write("wnodes.out", "old content\nmore\n");  // an existing table is replaced
    EXPECT_EQ(suite_test::run_in(dir, program).status, 0);
    EXPECT_EQ(dir.read("wnodes.out"), "");
}

}  // namespace
