// shift, run end to end in a scratch folder.
#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/scratch.hpp"

namespace {

using suite_test::records_of;
using suite_test::run_in;
using suite_test::scratch_dir;

const std::string program = SHIFT_PROGRAM;

struct run_output {
    int status;
    std::string diagnostics;
    std::vector<std::string> records;
};

run_output run_with(const std::string& input) {
    scratch_dir dir;
    dir.write("old3.dat", input);
    auto result = run_in(dir, program);
    return {result.status, result.diagnostics, records_of(dir.read("new3.dat"))};
}

// Three full connectivity lines, each with its own node numbers.
const std::string three_lines =
    "6   1   2   3   4   5   6   7   8   9  10  11  12  13  14  15  16  17  18\n"
    "6 101 102 103 104 105 106 107 108 109 110 111 112 113 114 115 116 117 118\n"
    "6 201 202 203 204 205 206 207 208 209 210 211 212 213 214 215 216 217 218\n";

const std::vector<std::string> three_slash_lines = {
    "6/ 61. 62. 63/ 64. 65. 66/ 67. 68. 69/ 70. 71. 72/ 73. 74. 75/ 76. 77. 78/",
    "6/161.162.163/164.165.166/167.168.169/170.171.172/173.174.175/176.177.178/",
    "6/261.262.263/264.265.266/267.268.269/270.271.272/273.274.275/276.277.278/",
};

struct count_case {
    const char* nel;  // the I4 field of record 1
    std::size_t lines;
};

void PrintTo(const count_case& c, std::ostream* os) { *os << "nel field \"" << c.nel << "\""; }

class ElementCount : public ::testing::TestWithParam<count_case> {};

TEST_P(ElementCount, ReadsOneLinePerSixElements) {
    auto out = run_with(std::string(GetParam().nel) + "\n" + three_lines);
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    EXPECT_EQ(out.diagnostics, "");
    std::vector<std::string> expected(three_slash_lines.begin(), three_slash_lines.begin() + GetParam().lines);
    EXPECT_EQ(out.records, expected);
}

INSTANTIATE_TEST_SUITE_P(Shift, ElementCount,
                         ::testing::Values(count_case{"   6", 1}, count_case{"   7", 2}, count_case{"  12", 2},
                                           count_case{"  13", 3}, count_case{"   1", 1}, count_case{"   0", 0},
                                           count_case{"  -5", 0}, count_case{"-999", 0}, count_case{"", 0}));

TEST(Shift, NoLinesLeaveAnEmptyOutput) {
    scratch_dir dir;
    dir.write("old3.dat", "   0\n");
    dir.write("new3.dat", "an older line\n");
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 0) << result.diagnostics;
    EXPECT_EQ(dir.read("new3.dat"), "");
}

struct line_case {
    const char* name;
    std::string line;      // one connectivity line, nel = 1
    std::string expected;  // its slash line
};

void PrintTo(const line_case& c, std::ostream* os) { *os << c.name; }

class OneLine : public ::testing::TestWithParam<line_case> {};

TEST_P(OneLine, IsRewritten) {
    auto out = run_with("   1\n" + GetParam().line + "\n");
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    EXPECT_EQ(out.records, std::vector<std::string>{GetParam().expected});
}

INSTANTIATE_TEST_SUITE_P(
    Shift, OneLine,
    ::testing::Values(
        line_case{"NoTriples", "0", "0/"},
        line_case{"NoTriplesRestIgnored", "0   1   2   3", "0/"},
        line_case{"OneTriple", "1   1   2   3", "1/ 61. 62. 63/"},
        line_case{"BlankFieldsReadAsZero", "2", "2/ 60. 60. 60/ 60. 60. 60/"},
        line_case{"EmbeddedBlanks", "1 1 2  2   3", "1/ 72. 62. 63/"},
        line_case{"NegativeNumbers", "1 -50 -99  -1", "1/ 10.-39. 59/"},
        line_case{"LargestThatFits", "1 939 938   0", "1/999.998. 60/"},
        line_case{"TooWideAsAsterisks", "2 940 999 100 941   1 960", "2/***.***.160/***. 61.***/"},
        line_case{"FieldsBeyondTheTriplesIgnored", "1   1   2   3 abc def", "1/ 61. 62. 63/"},
        line_case{"LoneSignCountIsZero", "-   1   2   3", "0/"},
        line_case{"CountNotComparedWithElements", "5   1   2   3   4   5   6   7   8   9  10  11  12  13  14  15",
                  "5/ 61. 62. 63/ 64. 65. 66/ 67. 68. 69/ 70. 71. 72/ 73. 74. 75/"}),
    [](const ::testing::TestParamInfo<line_case>& info) { return std::string(info.param.name); });

TEST(Shift, FourteenCharacterLineForOneTwoThree) {
    auto out = run_with("   1\n1   1   2   3\n");
    ASSERT_EQ(out.records.size(), 1u);
    const std::string& line = out.records[0];
    ASSERT_EQ(line.size(), 14u);
    EXPECT_EQ(line.substr(2, 3), " 61");
    EXPECT_EQ(line.substr(6, 3), " 62");
    EXPECT_EQ(line.substr(10, 3), " 63");
    EXPECT_EQ(line[1], '/');
    EXPECT_EQ(line[13], '/');
    EXPECT_EQ(line[5], '.');
    EXPECT_EQ(line[9], '.');
}

TEST(Shift, NumbersKeepTheirColumns) {
    // Every number of a full line stays where it was; only the separators change.
    auto out = run_with("   6\n" + three_lines);
    ASSERT_EQ(out.records.size(), 1u);
    const std::string in = three_lines.substr(0, three_lines.find('\n'));
    const std::string& line = out.records[0];
    ASSERT_EQ(line.size(), in.size() + 1);
    EXPECT_EQ(line.size(), 2u + 12u * 6u);
    for (int m = 1; m <= 18; ++m) {
        int first = 4 * m - 1;  // columns 4m-1 to 4m+1, counted from 1
        int node = std::stoi(in.substr(first - 1, 3));
        EXPECT_EQ(std::stoi(line.substr(first - 1, 3)), node + 60) << m;
        EXPECT_EQ(line[first - 2], m % 3 == 1 ? '/' : '.') << m;
    }
    EXPECT_EQ(line.back(), '/');
}

TEST(Shift, LinesAfterTheLastOneAskedForAreNeverRead) {
    auto out = run_with("   6\n" + three_lines.substr(0, three_lines.find('\n') + 1) +
                        "x this is not a connectivity line\n9 abc\n");
    EXPECT_EQ(out.status, 0) << out.diagnostics;
    EXPECT_EQ(out.records, std::vector<std::string>{three_slash_lines[0]});
}

TEST(Shift, MoreThanSixTriplesIsAnInputError) {
    for (char count : {'7', '8', '9'}) {
        std::string input = "  18\n" + three_lines;
        input[5 + 74] = count;  // the count of the second line
        scratch_dir dir;
        dir.write("old3.dat", input);
        auto result = run_in(dir, program);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.diagnostics,
                  std::string("shift: old3.dat, record 3: ") + count + " elements on a line, at most 6 fit\n");
        // The line converted before is kept, nothing after it is written.
        EXPECT_EQ(records_of(dir.read("new3.dat")), std::vector<std::string>{three_slash_lines[0]});
    }
}

TEST(Shift, InputEndingEarlyKeepsTheLinesBefore) {
    scratch_dir dir;
    dir.write("old3.dat", "  19\n" + three_lines);
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "shift: old3.dat, record 5: end of file, the file has only 4 records\n");
    EXPECT_EQ(records_of(dir.read("new3.dat")), three_slash_lines);
}

TEST(Shift, MalformedNumberEndsTheRun) {
    scratch_dir dir;
    dir.write("old3.dat", "   7\n1   1   2   3\n1   4 5.5   6\n");
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "shift: old3.dat, record 3, columns 7-9: \"5.5\" is not a valid I3 field\n");
    EXPECT_EQ(records_of(dir.read("new3.dat")), std::vector<std::string>{"1/ 61. 62. 63/"});
}

TEST(Shift, MissingInputCreatesNothing) {
    scratch_dir dir;
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "shift: cannot open old3.dat: No such file or directory\n");
    EXPECT_TRUE(dir.files().empty());
}

TEST(Shift, ExampleFile) {
    std::ifstream in(EXAMPLES_DIR "/old3.dat", std::ios::binary);
    ASSERT_TRUE(in) << "examples/old3.dat is missing";
    std::stringstream text;
    text << in.rdbuf();
    auto out = run_with(text.str());
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    std::vector<std::string> expected = {
        "6/ 61. 62. 63/ 62. 63. 64/ 63. 64. 65/ 64. 65. 66/ 65. 66. 67/ 66. 67. 68/",
        "6/ 71. 72. 73/ 72. 73. 74/ 73. 74. 75/ 74. 75. 76/ 75. 76. 77/ 76. 77. 78/",
        "3/ 81. 82. 83/ 82. 83. 84/ 83. 84. 85/",
    };
    EXPECT_EQ(out.records, expected);
}

}  // namespace
