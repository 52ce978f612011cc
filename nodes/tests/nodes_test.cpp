// nodes, run end to end in a scratch folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scratch.hpp"

namespace {

using suite_test::records_of;
using suite_test::run_in;
using suite_test::scratch_dir;

const std::string program = NODES_PROGRAM;

// Two lines closed by a third record; the second line's spacing code 0 means 1.
const std::string two_lines =
    "  2\n"
    "0.00000 0.00000 2    1 1    4 2\n"
    "12.0000 0.00000 1    7 0\n"
    "0.00000 0.00000 1   10 1\n";

TEST(Nodes, WorkedExampleRecordForRecord) {
    scratch_dir dir;
    dir.write("wnodes.dat", two_lines);
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.diagnostics, "");
    std::vector<std::string> expected = {
        "     1  0  1  0    0.000000    0.000000",
        "     2  0  0  0    1.000000    0.000000",
        "     3  0  0  0    2.000000    0.000000",
        "     4  0  0  0    3.000000    0.000000",
        "     5  0  0  0    3.500000    0.000000",
        "     6  0  0  0    4.000000    0.000000",
        "     7  1  1  1    0.000000   12.000000",
        "     8  0  0  1    1.000000   12.000000",
        "     9  0  0  1    2.000000   12.000000",
    };
    EXPECT_EQ(records_of(dir.read("wnodes.out")), expected);
}

TEST(Nodes, NoLinesStillReadsTheFirstLineRecord) {
    scratch_dir dir;
    dir.write("wnodes.dat", "  0\n0.00000 0.00000 1    1 1\n");
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(dir.read("wnodes.out"), "");

    scratch_dir missing_line;
    missing_line.write("wnodes.dat", "  0\n");
    result = run_in(missing_line, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "nodes: wnodes.dat, record 2: end of file, the file has only 1 record\n");
}

TEST(Nodes, NineSegmentsTakeTheLastPairFromAContinuationRecord) {
    // Segments of one node each at spacing codes 1..9, then the closing line.
    std::string line = "0.00000 -2.0000 9";
    for (int k = 1; k <= 8; ++k) line += " " + std::string(3, ' ') + std::to_string(k) + " " + std::to_string(k);
    scratch_dir dir;
    dir.write("wnodes.dat", "  1\n" + line + "\n    9 9\n0.00000 0.00000 1   10 1\n");
    auto result = run_in(dir, program);
    ASSERT_EQ(result.status, 0) << result.diagnostics;
    // h runs on across the segments: -2, then +1, +0.5, +0.25, ...
    std::vector<std::string> expected = {
        "     1  0  0  0   -2.000000    0.000000", "     2  0  0  0   -1.000000    0.000000",
        "     3  0  0  0   -0.500000    0.000000", "     4  0  0  0   -0.250000    0.000000",
        "     5  0  0  0   -0.125000    0.000000", "     6  0  0  0   -0.062500    0.000000",
        "     7  0  0  0   -0.031250    0.000000", "     8  0  0  0   -0.015625    0.000000",
        "     9  0  0  0   -0.007812    0.000000",
    };
    EXPECT_EQ(records_of(dir.read("wnodes.out")), expected);
}

TEST(Nodes, FlagsAndEmptySegments) {
    // A line that starts at h = -1 and reaches 0.0 sets ih there; a segment
    // whose successor starts at or below it writes nothing and h stays.
    scratch_dir dir;
    dir.write("wnodes.dat",
              "  2\n"
              "12.0000 -1.0000 3    5 1    5 1    7 1\n"
              "3.00000 0.00000 1    9 1\n"
              "0.00000 0.00000 1   11 1\n");
    auto result = run_in(dir, program);
    ASSERT_EQ(result.status, 0) << result.diagnostics;
    std::vector<std::string> expected = {
        "     5  0  0  1   -1.000000   12.000000",
        "     6  1  1  1    0.000000   12.000000",
        "     7  0  0  1    1.000000   12.000000",
        "     8  0  0  1    2.000000   12.000000",
        "     9  0  1  0    0.000000    3.000000",
        "    10  0  0  0    1.000000    3.000000",
    };
    EXPECT_EQ(records_of(dir.read("wnodes.out")), expected);
}

TEST(Nodes, MissingInputFailsAndCreatesNothing) {
    scratch_dir dir;
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "nodes: cannot open wnodes.dat: No such file or directory\n");
    EXPECT_TRUE(dir.files().empty());
}

TEST(Nodes, FileEndingEarlyKeepsTheNodesOfCompleteLines) {
    scratch_dir dir;
    dir.write("wnodes.dat", "  3\n" + two_lines.substr(4));
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "nodes: wnodes.dat, record 5: end of file, the file has only 4 records\n");
    EXPECT_EQ(records_of(dir.read("wnodes.out")).size(), 9u);
}

TEST(Nodes, MalformedFieldNamesRecordAndColumns) {
    scratch_dir dir;
    std::string input = two_lines;
    input.replace(input.find("   7 0"), 6, " 7x4 0");
    dir.write("wnodes.dat", input);
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "nodes: wnodes.dat, record 3, columns 19-22: \" 7x4\" is not a valid I4 field\n");
    // The first line could not be closed, so no node was written.
    EXPECT_EQ(dir.read("wnodes.out"), "");
}

TEST(Nodes, ExistingOutputIsReplaced) {
    scratch_dir dir;
    dir.write("wnodes.dat", "  0\n0.00000 0.00000 0\n");
    dir.write("wnodes.out", "old content\nmore\n");
    EXPECT_EQ(run_in(dir, program).status, 0);
    EXPECT_EQ(dir.read("wnodes.out"), "");
}

}  // namespace

namespace {

TEST(Nodes, HelpVersionAndUsageTouchNoFile) {
    scratch_dir dir;
    dir.write("wnodes.dat", two_lines);
    auto help = run_in(dir, program, nullptr, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("wnodes.dat"), std::string::npos);
    EXPECT_NE(help.output.find("wnodes.out"), std::string::npos);
    auto version = run_in(dir, program, nullptr, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("nodes ", 0), 0u);
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"-h"}, {"wnodes.dat"}, {"--help", "x"}}) {
        auto usage = run_in(dir, program, nullptr, arguments);
        EXPECT_EQ(usage.status, 2);
        EXPECT_EQ(usage.output, "");
        EXPECT_EQ(records_of(usage.diagnostics).size(), 1u);
    }
    EXPECT_EQ(dir.files(), std::vector<std::string>{"wnodes.dat"});
}

}  // namespace
