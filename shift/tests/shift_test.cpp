// shift, run end to end in a scratch folder.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/scratch.hpp"

namespace {

using lines = std::vector<std::string>;

suite_test::case_result shift_on(const std::string& old3) {
    return suite_test::run_case(SHIFT_PROGRAM, "old3.dat", old3, {"new3.dat"});
}

// Three full connectivity lines, each with its own node numbers.
const std::string three_lines =
    "6   1   2   3   4   5   6   7   8   9  10  11  12  13  14  15  16  17  18\n"
    "6 101 102 103 104 105 106 107 108 109 110 111 112 113 114 115 116 117 118\n"
    "6 201 202 203 204 205 206 207 208 209 210 211 212 213 214 215 216 217 218\n";

const lines three_slash_lines = {
    "6/ 61. 62. 63/ 64. 65. 66/ 67. 68. 69/ 70. 71. 72/ 73. 74. 75/ 76. 77. 78/",
    "6/161.162.163/164.165.166/167.168.169/170.171.172/173.174.175/176.177.178/",
    "6/261.262.263/264.265.266/267.268.269/270.271.272/273.274.275/276.277.278/",
};

// The nel field of record 1 decides how many lines are read, six elements
// to a line; lines after the last one asked for are never read.
TEST(Shift, ReadsOneLinePerSixElements) {
    const std::pair<const char*, std::size_t> counts[] = {{"   6", 1}, {"   7", 2}, {"  12", 2}, {"  13", 3}, {"   1", 1},
                                                          {"   0", 0}, {"  -5", 0}, {"-999", 0}, {"", 0}};
    for (const auto& [nel, n] : counts) {
        auto out = shift_on(std::string(nel) + "\n" + three_lines + "x this is not a connectivity line\n9 abc\n");
        EXPECT_EQ(out.status, 0) << nel << ": " << out.diagnostics;
        EXPECT_EQ(out.diagnostics, "") << nel;
        EXPECT_EQ(out.outputs[0], lines(three_slash_lines.begin(), three_slash_lines.begin() + n)) << nel;
    }
}

TEST(Shift, NoLinesEmptyAnOlderOutput) {
    suite_test::scratch_dir dir;
    dir.write("old3.dat", "   0\n");
    dir.write("new3.dat", "an older line\n");
    EXPECT_EQ(suite_test::run_in(dir, SHIFT_PROGRAM).status, 0);
    EXPECT_EQ(dir.read("new3.dat"), "");
}

// One connectivity line (nel = 1) and its slash line. Every number keeps
// its three columns.
TEST(Shift, OneLineIsRewritten) {
    const std::pair<std::string, std::string> cases[] = {
        {"0", "0/"},
        {"0   1   2   3", "0/"},
        {"1   1   2   3", "1/ 61. 62. 63/"},
        {"2", "2/ 60. 60. 60/ 60. 60. 60/"},  // blank fields read as 0
        {"1 1 2  2   3", "1/ 72. 62. 63/"},  // embedded blanks
        {"1 -50 -99  -1", "1/ 10.-39. 59/"},
        {"1 939 938   0", "1/999.998. 60/"},
        {"2 940 999 100 941   1 960", "2/***.***.160/***. 61.***/"},
        {"1   1   2   3 abc def", "1/ 61. 62. 63/"},  // fields beyond the triples are not read
        {"-   1   2   3", "0/"},                      // a lone sign reads as 0
        {"5   1   2   3   4   5   6   7   8   9  10  11  12  13  14  15",  // count not compared with nel
         "5/ 61. 62. 63/ 64. 65. 66/ 67. 68. 69/ 70. 71. 72/ 73. 74. 75/"},
    };
    for (const auto& [line, expected] : cases) {
        auto out = shift_on("   1\n" + line + "\n");
        EXPECT_EQ(out.status, 0) << line << ": " << out.diagnostics;
        EXPECT_EQ(out.outputs[0], lines{expected}) << line;
    }
}

// Every input error: one line on standard error, status 1, and the lines
// converted before it kept.
TEST(Shift, InputErrorsKeepTheLinesBefore) {
    std::string too_many = "  18\n" + three_lines;
    too_many[5 + 74] = '7';  // the count of the second line
    struct error_case {
        std::string input, diagnostic;
        lines kept;
    };
    const error_case cases[] = {
        {too_many, "shift: old3.dat, record 3: 7 elements on a line, at most 6 fit\n", {three_slash_lines[0]}},
        {"  19\n" + three_lines, "shift: old3.dat, record 5: end of file, the file has only 4 records\n",
         three_slash_lines},
        {"   7\n1   1   2   3\n1   4 5.5   6\n",
         "shift: old3.dat, record 3, columns 7-9: \"5.5\" is not a valid I3 field\n", {"1/ 61. 62. 63/"}},
    };
    for (const error_case& c : cases) {
        auto out = shift_on(c.input);
        EXPECT_EQ(out.status, 1) << c.diagnostic;
        EXPECT_EQ(out.diagnostics, c.diagnostic);
        EXPECT_EQ(out.outputs[0], c.kept) << c.diagnostic;
    }
    too_many[5 + 74] = '9';
    EXPECT_EQ(shift_on(too_many).diagnostics, "shift: old3.dat, record 3: 9 elements on a line, at most 6 fit\n");
}

TEST(Shift, MissingInputCreatesNothing) {
    auto out = suite_test::run_case(SHIFT_PROGRAM, "other.dat", "   1\n", {"new3.dat"});
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(out.diagnostics, "shift: cannot open old3.dat: No such file or directory\n");
    EXPECT_FALSE(out.present[0]);
}

TEST(Shift, ExampleFile) {
    std::ifstream in(EXAMPLES_DIR "/old3.dat", std::ios::binary);
    ASSERT_TRUE(in) << "examples/old3.dat is missing";
    std::stringstream text;
    text << in.rdbuf();
    auto out = shift_on(text.str());
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    EXPECT_EQ(out.outputs[0], (lines{"6/ 61. 62. 63/ 62. 63. 64/ 63. 64. 65/ 64. 65. 66/ 65. 66. 67/ 66. 67. 68/",
                                     "6/ 71. 72. 73/ 72. 73. 74/ 73. 74. 75/ 74. 75. 76/ 75. 76. 77/ 76. 77. 78/",
                                     "3/ 81. 82. 83/ 82. 83. 84/ 83. 84. 85/"}));
}

}  // namespace
