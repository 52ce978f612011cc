// topo, run end to end in a scratch folder: element groups, renumbering,
// sections, and the input errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scratch.hpp"
#include "topo/tests/wtopo_text.hpp"

namespace {

using namespace topo_test;
using suite_test::records_of;
using suite_test::run_in;
using suite_test::scratch_dir;

const std::string program = TOPO_PROGRAM;

struct outcome {
    int status;
    std::string diagnostics;
    std::vector<std::string> records;
};

outcome run_topo(const std::string& wtopo) {
    scratch_dir dir;
    dir.write("wtopo.dat", wtopo);
    auto result = run_in(dir, program);
    return {result.status, result.diagnostics, records_of(dir.read("wtopo.out"))};
}

// Runs a whole input that must end normally.
std::vector<std::string> elements_of(const std::string& wtopo) {
    outcome o = run_topo(wtopo);
    EXPECT_EQ(o.status, 0) << o.diagnostics;
    EXPECT_EQ(o.diagnostics, "");
    return o.records;
}

const std::string no_sections = count1(0);

// ---- the frame ------------------------------------------------------------

TEST(TopoRun, EmptyRunWritesAnEmptyTable) {
    scratch_dir dir;
    dir.write("wtopo.dat", count2(0) + count1(0));
    dir.write("wtopo.out", "old content\n");
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.diagnostics, "");
    EXPECT_EQ(dir.read("wtopo.out"), "");
}

TEST(TopoRun, SectionCountZeroStopsBeforeAnythingElseIsRead) {
    // Whatever follows the section count 0 is never looked at.
    EXPECT_TRUE(elements_of(count2(0) + count1(0) + "garbage\n").empty());
}

TEST(TopoRun, WithoutGroupsTheSecondRecordIsTheSectionCount) {
    outcome o = run_topo(count2(0) + count1(1));
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.diagnostics, "topo: wtopo.dat, record 3: end of file, the file has only 2 records\n");
}

TEST(TopoRun, NegativeGroupCountGivesNoGroup) {
    EXPECT_TRUE(elements_of(count2(-3) + count1(0)).empty());
}

TEST(TopoRun, MissingInputCreatesNothing) {
    scratch_dir dir;
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "topo: cannot open wtopo.dat: No such file or directory\n");
    EXPECT_TRUE(dir.files().empty());
}

TEST(TopoRun, HelpVersionAndUsageTouchNoFile) {
    scratch_dir dir;
    dir.write("wtopo.dat", count2(0) + count1(0));
    auto help = run_in(dir, program, nullptr, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("wtopo.dat"), std::string::npos);
    EXPECT_NE(help.output.find("wtopo.out"), std::string::npos);
    auto version = run_in(dir, program, nullptr, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("topo ", 0), 0u);
    auto usage = run_in(dir, program, nullptr, {"wtopo.dat"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(records_of(usage.diagnostics).size(), 1u);
    EXPECT_EQ(dir.files(), std::vector<std::string>{"wtopo.dat"});
}

// ---- element groups -------------------------------------------------------

TEST(TopoGroups, SevenElementsOverTwoSixPerLineLines) {
    std::string in = count2(1) + group_start(101, 0, {}) + group_header(7, "45.0", 3, 6) +
                     six_line(6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}) +
                     six_line(1, {997, 998, 999}) + no_sections;
    std::vector<std::string> expected = {
        element_record(101, 1, 2, 3, "45.00", 3),    element_record(102, 4, 5, 6, "45.00", 3),
        element_record(103, 7, 8, 9, "45.00", 3),    element_record(104, 10, 11, 12, "45.00", 3),
        element_record(105, 13, 14, 15, "45.00", 3), element_record(106, 16, 17, 18, "45.00", 3),
        element_record(107, 997, 998, 999, "45.00", 3),
    };
    EXPECT_EQ(elements_of(in), expected);
    EXPECT_EQ(expected[0], "   101     1     2     3   45.00  3");
}

TEST(TopoGroups, SixElementsReadOneLine) {
    // nel = 6 reads one line; the next record is already the section count.
    std::string in = count2(1) + group_start(1, 0, {}) + group_header(6, "0.0", 1, 6) +
                     six_line(2, {1, 2, 3, 4, 5, 6}) + no_sections;
    EXPECT_EQ(elements_of(in).size(), 2u);
}

TEST(TopoGroups, NoElementsReadNoLine) {
    std::string in = count2(1) + group_start(1, 2, {{1, 5}, {9, 9}}) + group_header(0, "0.0", 1, 6) + no_sections;
    EXPECT_TRUE(elements_of(in).empty());
    // A negative nel likewise.
    in = count2(1) + group_start(1, 0, {}) + group_header(-4, "0.0", 1, 5) + no_sections;
    EXPECT_TRUE(elements_of(in).empty());
}

TEST(TopoGroups, EmptyLineIsStillOnePass) {
    // nel = 7 with six per line makes two passes; the first line is empty.
    std::string in = count2(1) + group_start(20, 0, {}) + group_header(7, "0.0", 1, 6) + six_line(0, {}) +
                     six_line(1, {4, 5, 6}) + no_sections;
    std::vector<std::string> expected = {element_record(20, 4, 5, 6, "0.00", 1)};
    EXPECT_EQ(elements_of(in), expected);
}

TEST(TopoGroups, RecordsFollowTheLineCountsNotNel) {
    // nel = 14, five per line: three lines of 5, 5 and 4 triples.
    std::vector<long> nodes;
    for (long n = 1; n <= 15; ++n) nodes.push_back(1000 + n);
    std::string in = count2(1) + group_start(50, 0, {}) + group_header(14, "0.0", 1, 5) + five_line(5, nodes) +
                     five_line(5, nodes) + five_line(4, std::vector<long>(nodes.begin(), nodes.begin() + 12)) +
                     no_sections;
    auto records = elements_of(in);
    ASSERT_EQ(records.size(), 14u);
    EXPECT_EQ(records.front(), element_record(50, 1001, 1002, 1003, "0.00", 1));
    EXPECT_EQ(records.back(), element_record(63, 1010, 1011, 1012, "0.00", 1));
    // A line may also hold fewer or more triples than nel suggests.
    in = count2(1) + group_start(1, 0, {}) + group_header(3, "0.0", 1, 6) +
         six_line(5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) + no_sections;
    EXPECT_EQ(elements_of(in).size(), 5u);
}

TEST(TopoGroups, FivePerLineColumnsAndFourDigitNodes) {
    // Node field j of a five-per-line line takes columns 5j-2 to 5j+1.
    std::string in = count2(1) + group_start(1, 0, {}) + group_header(2, "0.0", 1, 5) +
                     "2 1001 1002 1003 9997 9998 9999\n" + no_sections;
    std::vector<std::string> expected = {
        element_record(1, 1001, 1002, 1003, "0.00", 1),
        element_record(2, 9997, 9998, 9999, "0.00", 1),
    };
    EXPECT_EQ(elements_of(in), expected);
}

TEST(TopoGroups, SixthTripleOfAFivePerLineLineComesFromTheNextRecord) {
    std::vector<long> nodes;
    for (long n = 1; n <= 18; ++n) nodes.push_back(n * 10);
    std::string line = five_line(6, nodes);
    ASSERT_EQ(line.substr(line.find('\n') + 1), "  160  170  180\n");
    // The continuation record does not count as a pass: the group's second
    // pass reads the record after it.
    std::string in = count2(1) + group_start(1, 0, {}) + group_header(6, "0.0", 2, 5) + line +
                     five_line(1, {7, 8, 9}) + no_sections;
    auto records = elements_of(in);
    ASSERT_EQ(records.size(), 7u);
    EXPECT_EQ(records[5], element_record(6, 160, 170, 180, "0.00", 2));
    EXPECT_EQ(records[6], element_record(7, 7, 8, 9, "0.00", 2));
}

TEST(TopoGroups, NumbersRestartAtEachGroupsOwnStart) {
    std::string in = count2(2) + group_start(10, 0, {}) + group_header(2, "15.0", 1, 6) +
                     six_line(2, {1, 2, 3, 4, 5, 6}) + group_start(5, 0, {}) + group_header(1, "-30.5", 2, 5) +
                     five_line(1, {7, 8, 9}) + no_sections;
    std::vector<std::string> expected = {
        element_record(10, 1, 2, 3, "15.00", 1),
        element_record(11, 4, 5, 6, "15.00", 1),
        element_record(5, 7, 8, 9, "-30.50", 2),
    };
    EXPECT_EQ(elements_of(in), expected);
}

TEST(TopoGroups, HeaderAngleWithoutPointHasOneImpliedDecimal) {
    std::string in = count2(1) + group_start(1, 0, {}) + group_header(1, "450", 7, 6) + six_line(1, {1, 2, 3}) +
                     no_sections;
    std::vector<std::string> expected = {"     1     1     2     3   45.00  7"};
    EXPECT_EQ(elements_of(in), expected);
}

// ---- renumbering ------------------------------------------------------------

// One six-per-line group with the given pairs whose single element is (a, b, c).
std::vector<long> renumbered(const std::vector<pair_value>& pairs, long a, long b, long c) {
    std::string in = count2(1) + group_start(1, static_cast<long>(pairs.size()), pairs) +
                     group_header(1, "0.0", 1, 6) + six_line(1, {a, b, c}) + no_sections;
    auto records = elements_of(in);
    if (records.size() != 1) return {};
    parsed_element e = parse_record(records[0]);
    return {e.nodes[0], e.nodes[1], e.nodes[2]};
}

TEST(TopoRenumbering, RangesByTheirFirstNumbers) {
    const std::vector<pair_value> pairs = {{1, 1}, {10, 110}, {20, 20}};
    struct {
        long in;
        long out;
    } cases[] = {
        {1, 1}, {5, 5}, {9, 9},                 // first range: unchanged
        {10, 110}, {15, 115}, {19, 119},        // second range, lower bound included
        {20, 20}, {25, 25}, {999, 999},         // the last pair opens no range
        {0, 0}, {-5, -5},                       // in no range: as read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(renumbered(pairs, c.in, c.in, c.in), (std::vector<long>{c.out, c.out, c.out}));
    }
}

TEST(TopoRenumbering, CornersAreRenumberedIndependently) {
    EXPECT_EQ(renumbered({{1, 501}, {10, 110}, {20, 20}}, 9, 10, 20), (std::vector<long>{509, 110, 20}));
}

TEST(TopoRenumbering, OverlappingRangesLastMatchDecides) {
    std::vector<pair_value> pairs = {{1, 101}, {30, 0}, {10, 210}, {20, 320}, {30, 30}};
    // Range 1: 1 <= v < 30; range 2: 30 <= v < 10 (empty); range 3: 10 <= v < 20;
    // range 4: 20 <= v < 30.
    EXPECT_EQ(renumbered(pairs, 5, 15, 25), (std::vector<long>{105, 215, 325}));
    EXPECT_EQ(renumbered(pairs, 30, 31, 0), (std::vector<long>{30, 31, 0}));
}

TEST(TopoRenumbering, OneRangeOnlyFromTwoPairs) {
    // One pair opens no range at all.
    EXPECT_EQ(renumbered({{1, 100}}, 1, 2, 3), (std::vector<long>{1, 2, 3}));
    EXPECT_EQ(renumbered({{1, 100}, {4, 4}}, 1, 3, 4), (std::vector<long>{100, 102, 4}));
}

TEST(TopoRenumbering, FiftyPairsFillTheTable) {
    std::vector<pair_value> pairs;
    for (long k = 0; k < 50; ++k) pairs.push_back({1 + 10 * k, 1001 + 10 * k});
    // Ranges 1..49 cover 1..490; 491 starts only the closing pair.
    EXPECT_EQ(renumbered(pairs, 1, 490, 491), (std::vector<long>{1001, 1490, 491}));
}

TEST(TopoRenumbering, TableOfAnEarlierGroupDoesNotLeakIn) {
    // Group 1 has four pairs; group 2 has three. The entry after group 2's last
    // pair still holds 30 from group 1, but group 2's last pair opens no range.
    std::string in = count2(4) +
                     group_start(1, 4, {{1, 1}, {10, 110}, {20, 220}, {30, 30}}) + group_header(1, "0.0", 1, 6) +
                     six_line(1, {5, 15, 25}) +
                     group_start(2, 3, {{1, 1}, {10, 110}, {20, 520}}) + group_header(1, "0.0", 1, 6) +
                     six_line(1, {5, 15, 25}) +
                     group_start(3, 0, {}) + group_header(1, "0.0", 1, 6) + six_line(1, {5, 15, 25}) +
                     group_start(4, -2, {}) + group_header(1, "0.0", 1, 6) + six_line(1, {5, 15, 25}) +
                     no_sections;
    std::vector<std::string> expected = {
        element_record(1, 5, 115, 225, "0.00", 1),
        element_record(2, 5, 115, 25, "0.00", 1),
        element_record(3, 5, 15, 25, "0.00", 1),  // no pairs: as read
        element_record(4, 5, 15, 25, "0.00", 1),  // negative count: no pairs read, as read
    };
    EXPECT_EQ(elements_of(in), expected);
}

// ---- sections ---------------------------------------------------------------

layer_starts starts_from(long base) {
    layer_starts s{};
    s.itop = base;
    for (int row = 1; row <= 8; ++row) {
        s.imid[row] = base + 100 * row + 50;
        s.ibtm[row] = base + 100 * row;
    }
    return s;
}

TEST(TopoSections, WorkedStartOfALayer) {
    layer_starts s = starts_from(1);
    s.itop = 1;
    s.imid[1] = 10;
    s.ibtm[1] = 20;
    s.ibtm[2] = 30;
    std::string in = count2(0) + count1(1) + section_header(1, 1, 1) + layer_text("0.0", 4, s);
    auto records = elements_of(in);
    ASSERT_EQ(records.size(), 46u);
    const long worked[12][3] = {
        {10, 1, 2},   {10, 20, 1},  {10, 21, 20}, {10, 2, 21}, {11, 2, 3},   {11, 21, 2},
        {11, 22, 21}, {11, 3, 22},  {30, 20, 21}, {30, 21, 31}, {31, 21, 32}, {21, 22, 32},
    };
    for (long k = 0; k < 12; ++k)
        EXPECT_EQ(records[static_cast<std::size_t>(k)],
                  element_record(k + 1, worked[k][0], worked[k][1], worked[k][2], "0.00", 4));
    EXPECT_EQ(records[0], "     1    10     1     2    0.00  4");
}

TEST(TopoSections, LayersCarryTheElementNumberAndSectionsRestartIt) {
    std::string in = count2(0) + count1(2) + section_header(2, 1, 1) + layer_text("30.0", 1, starts_from(0)) +
                     layer_text("-30.0", 2, starts_from(1000)) + section_header(3, 2, 500) +
                     layer_text("0.0", 3, starts_from(2000)) + layer_text("450", 4, starts_from(3000)) +
                     layer_text("90.0", 5, starts_from(4000));
    auto records = elements_of(in);
    ASSERT_EQ(records.size(), 46u * 2 + 92u * 3);
    struct expect {
        std::size_t from;
        std::size_t count;
        long first_number;
        const char* ang;
        long itype;
        long itop;
    } blocks[] = {
        {0, 46, 1, "   30.00", 1, 0},         {46, 46, 47, "  -30.00", 2, 1000},
        {92, 92, 500, "    0.00", 3, 2000},   {184, 92, 592, "   45.00", 4, 3000},
        {276, 92, 684, "   90.00", 5, 4000},
    };
    for (const expect& b : blocks) {
        SCOPED_TRACE(b.first_number);
        for (std::size_t k = 0; k < b.count; ++k) {
            parsed_element e = parse_record(records[b.from + k]);
            EXPECT_EQ(e.number, b.first_number + static_cast<long>(k));
            EXPECT_EQ(e.ang, b.ang);
            EXPECT_EQ(e.itype, b.itype);
        }
        // Each layer starts with the centred cell m, t, t+1 of its own top row.
        parsed_element first = parse_record(records[b.from]);
        EXPECT_EQ(first.nodes[1], b.itop);
    }
}

TEST(TopoSections, EmptyLayersAndSectionsStillReadTheirLines) {
    // nb = 0: each layer reads its 16 lines and writes nothing; nlay = 0: the
    // section is its header alone. The last section shows that reading stayed
    // in step.
    std::string in = count2(0) + count1(4) + section_header(2, 0, 1) + layer_text("0.0", 1, starts_from(0)) +
                     layer_text("0.0", 1, starts_from(0)) + section_header(0, 5, 1) + section_header(1, -1, 1) +
                     layer_text("0.0", 1, starts_from(0)) + section_header(1, 1, 77) +
                     layer_text("10.0", 9, starts_from(0));
    auto records = elements_of(in);
    ASSERT_EQ(records.size(), 46u);
    EXPECT_EQ(records[0], element_record(77, 150, 0, 1, "10.00", 9));
    // 16 lines per layer: a file one line short ends on its last record.
    in.erase(in.size() - 5);
    outcome o = run_topo(in);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.diagnostics, "topo: wtopo.dat, record 70: end of file, the file has only 69 records\n");
    EXPECT_EQ(o.records.size(), 46u - 8u);  // row 8 could not start
}

TEST(TopoSections, GroupsThenSections) {
    std::string in = count2(1) + group_start(1, 0, {}) + group_header(1, "0.0", 1, 6) + six_line(1, {1, 2, 3}) +
                     count1(1) + section_header(1, 1, 2) + layer_text("0.0", 2, starts_from(10));
    auto records = elements_of(in);
    ASSERT_EQ(records.size(), 47u);
    EXPECT_EQ(parse_record(records[1]).number, 2);
    EXPECT_EQ(parse_record(records[46]).number, 47);
}

// ---- input errors -------------------------------------------------------------

struct error_case {
    const char* name;
    std::string input;
    std::string diagnostic;
    std::size_t records_kept;
};

class TopoErrors : public testing::TestWithParam<error_case> {};

TEST_P(TopoErrors, OneLineNamingFileAndRecordAndKeepsEarlierRecords) {
    const error_case& c = GetParam();
    outcome o = run_topo(c.input);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.diagnostics, "topo: " + c.diagnostic + "\n");
    EXPECT_EQ(o.records.size(), c.records_kept);
}

// A first group of two elements whose five-per-line line takes two records
// (records 2 to 7), so that later record numbers show the counting.
const std::string first_group = count2(2) + group_start(1, 1, {{1, 1}}) + group_header(5, "0.0", 1, 5) +
                                five_line(6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});

INSTANTIATE_TEST_SUITE_P(
    Cases, TopoErrors,
    testing::Values(
        error_case{"TooManyPairs", first_group + number4(1) + count2(51) + pair_record(1, 1),
                   "wtopo.dat, record 9: 51 renumbering pairs, at most 50 fit", 6},
        error_case{"ElementsPerLineFour", first_group + group_start(7, 0, {}) + group_header(0, "0.0", 1, 4),
                   "wtopo.dat, record 10: 4 elements per line, a line holds 5 or 6", 6},
        error_case{"ElementsPerLineZero", first_group + group_start(7, 0, {}) + group_header(1, "0.0", 1, 0),
                   "wtopo.dat, record 10: 0 elements per line, a line holds 5 or 6", 6},
        error_case{"ElementsPerLineNegative", first_group + group_start(7, 0, {}) + group_header(9, "0.0", 1, -6),
                   "wtopo.dat, record 10: -6 elements per line, a line holds 5 or 6", 6},
        error_case{"SevenOnASixPerLineLine",
                   first_group + group_start(7, 2, {{1, 1}, {2, 2}}) + group_header(8, "0.0", 1, 6) +
                       six_line(7, {1, 2, 3}),
                   "wtopo.dat, record 13: 7 elements on a line, at most 6 fit", 6},
        error_case{"NineOnAFivePerLineLineAfterOne",
                   first_group + group_start(7, 0, {}) + group_header(8, "0.0", 1, 5) + five_line(5, {1, 2, 3}) +
                       five_line(9, {1, 2, 3}),
                   "wtopo.dat, record 12: 9 elements on a line, at most 6 fit", 11},
        error_case{"SectionLayerRecordsCountTwo",
                   count2(0) + count1(1) + section_header(1, 1, 1) + "  0.0  1\n   x\n",
                   "wtopo.dat, record 5, columns 1-4: \"   x\" is not a valid I4 field", 0},
        error_case{"MalformedNodeField", first_group + group_start(7, 0, {}) + group_header(1, "0.0", 1, 6) +
                                             "1   1  2.   3\n",
                   "wtopo.dat, record 11, columns 7-9: \" 2.\" is not a valid I3 field", 6},
        error_case{"EndOfFileInAGroup", first_group,
                   "wtopo.dat, record 8: end of file, the file has only 7 records", 6}),
    [](const testing::TestParamInfo<error_case>& info) { return std::string(info.param.name); });

}  // namespace
