// topo, run end to end in a scratch folder: element groups, renumbering,
// sections, and the input errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scratch.hpp"
#include "topo/tests/wtopo_text.hpp"

namespace {

using namespace topo_test;
using suite_test::run_in;
using suite_test::scratch_dir;
using strings = std::vector<std::string>;

const std::string program = TOPO_PROGRAM;
const std::string no_sections = count1(0);

suite_test::case_result run_topo(const std::string& in) {
    return suite_test::run_case(program, "wtopo.dat", in, {"wtopo.out"});
}

// Runs a whole input that must end normally.
strings elements_of(const std::string& in) {
    auto r = run_topo(in);
    EXPECT_EQ(r.status, 0) << r.diagnostics;
    EXPECT_EQ(r.diagnostics, "");
    return r.outputs[0];
}

// Records numbered on from `first`, one per triple of `nodes`.
strings run_of(long first, const std::string& ang, long itype, const std::vector<long>& nodes, strings before = {}) {
    for (std::size_t k = 0; k + 2 < nodes.size(); k += 3)
        before.push_back(element_record(first++, nodes[k], nodes[k + 1], nodes[k + 2], ang, itype));
    return before;
}

std::vector<long> from(long first, long count) {
    std::vector<long> v;
    for (long n = 0; n < count; ++n) v.push_back(first + n);
    return v;
}

// ---- the frame ------------------------------------------------------------

TEST(TopoRun, EmptyRunMissingInputHelpAndUsage) {
    scratch_dir dir;
    auto missing = run_in(dir, program);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.diagnostics, "topo: cannot open wtopo.dat: No such file or directory\n");
    EXPECT_TRUE(dir.files().empty());
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
    EXPECT_EQ(suite_test::records_of(usage.diagnostics).size(), 1u);
    EXPECT_EQ(dir.files(), strings{"wtopo.dat"});
    // 0 groups, 0 sections: an empty table replaces the old one.
    dir.write("wtopo.out", "old content\n");
    auto empty = run_in(dir, program);
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.diagnostics, "");
    EXPECT_EQ(dir.read("wtopo.out"), "");
}

// ---- element groups and sections, whole tables ------------------------------

struct table_case {
    const char* name;
    std::string input;
    strings expected;
};

class TopoTables : public testing::TestWithParam<table_case> {};

TEST_P(TopoTables, RecordForRecord) { EXPECT_EQ(elements_of(GetParam().input), GetParam().expected); }

const std::string one = count2(1);

INSTANTIATE_TEST_SUITE_P(
    Cases, TopoTables,
    testing::Values(
        // Whatever follows the section count 0 is never read; a negative group count gives no group.
        table_case{"SectionCountZeroEndsTheRun", count2(0) + no_sections + "garbage\n", {}},
        table_case{"NegativeGroupCount", count2(-3) + no_sections, {}},
        table_case{"SevenElementsOverTwoSixPerLineLines",
                   one + group_start(101, 0, {}) + group_header(7, "45.0", 3, 6) + six_line(6, from(1, 18)) +
                       six_line(1, {997, 998, 999}) + no_sections,
                   run_of(107, "45.00", 3, {997, 998, 999}, run_of(101, "45.00", 3, from(1, 18)))},
        // nel = 6 reads one line: the next record is already the section count.
        table_case{"SixElementsReadOneLine",
                   one + group_start(1, 0, {}) + group_header(6, "0.0", 1, 6) + six_line(2, from(1, 6)) + no_sections,
                   run_of(1, "0.00", 1, from(1, 6))},
        table_case{"NoElementsReadNoLine",
                   count2(2) + group_start(1, 2, {{1, 5}, {9, 9}}) + group_header(0, "0.0", 1, 6) +
                       group_start(1, 0, {}) + group_header(-4, "0.0", 1, 5) + no_sections,
                   {}},
        // nel = 7, six per line: two passes, the first line is empty.
        table_case{"EmptyLineIsStillOnePass",
                   one + group_start(20, 0, {}) + group_header(7, "0.0", 1, 6) + six_line(0, {}) +
                       six_line(1, {4, 5, 6}) + no_sections,
                   run_of(20, "0.00", 1, {4, 5, 6})},
        // nel = 14, five per line: lines of 5, 5 and 4 triples; then a line
        // holding more triples than nel suggests.
        table_case{"RecordsFollowTheLineCountsNotNel",
                   count2(2) + group_start(50, 0, {}) + group_header(14, "0.0", 1, 5) + five_line(5, from(1001, 15)) +
                       five_line(5, from(1001, 15)) + five_line(4, from(1001, 12)) + group_start(1, 0, {}) +
                       group_header(3, "0.0", 1, 6) + six_line(5, from(1, 15)) + no_sections,
                   run_of(1, "0.00", 1, from(1, 15),
                          run_of(60, "0.00", 1, from(1001, 12),
                                 run_of(55, "0.00", 1, from(1001, 15), run_of(50, "0.00", 1, from(1001, 15)))))},
        // Node field j of a five-per-line line takes columns 5j-2 to 5j+1.
        table_case{"FivePerLineColumnsAndFourDigitNodes",
                   one + group_start(1, 0, {}) + group_header(2, "0.0", 1, 5) + "2 1001 1002 1003 9997 9998 9999\n" +
                       no_sections,
                   run_of(1, "0.00", 1, {1001, 1002, 1003, 9997, 9998, 9999})},
        // The sixth triple of a five-per-line line is on a continuation record
        // "  160  170  180", which is no pass of its own.
        table_case{"SixthTripleOfAFivePerLineLineComesFromTheNextRecord",
                   one + group_start(1, 0, {}) + group_header(6, "0.0", 2, 5) +
                       "6   10   20   30   40   50   60   70   80   90  100  110  120  130  140  150\n"
                       "  160  170  180\n" +
                       five_line(1, {7, 8, 9}) + no_sections,
                   run_of(7, "0.00", 2, {7, 8, 9}, run_of(1, "0.00", 2, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100,
                                                                          110, 120, 130, 140, 150, 160, 170, 180}))},
        table_case{"NumbersRestartAtEachGroupsOwnStart",
                   count2(2) + group_start(10, 0, {}) + group_header(2, "15.0", 1, 6) + six_line(2, from(1, 6)) +
                       group_start(5, 0, {}) + group_header(1, "-30.5", 2, 5) + five_line(1, {7, 8, 9}) + no_sections,
                   run_of(5, "-30.50", 2, {7, 8, 9}, run_of(10, "15.00", 1, from(1, 6)))},
        table_case{"HeaderAngleWithoutPointHasOneImpliedDecimal",
                   one + group_start(1, 0, {}) + group_header(1, "450", 7, 6) + six_line(1, {1, 2, 3}) + no_sections,
                   {"     1     1     2     3   45.00  7"}},
        // Group 1 has four pairs, group 2 three: group 1's fourth entry, still
        // in the table, opens no range for group 2; no pairs or a negative
        // count renumber nothing.
        table_case{"TableOfAnEarlierGroupDoesNotLeakIn",
                   count2(4) + group_start(1, 4, {{1, 1}, {10, 110}, {20, 220}, {30, 30}}) +
                       group_header(1, "0.0", 1, 6) + six_line(1, {5, 15, 25}) +
                       group_start(2, 3, {{1, 1}, {10, 110}, {20, 520}}) + group_header(1, "0.0", 1, 6) +
                       six_line(1, {5, 15, 25}) + group_start(3, 0, {}) + group_header(1, "0.0", 1, 6) +
                       six_line(1, {5, 15, 25}) + group_start(4, -2, {}) + group_header(1, "0.0", 1, 6) +
                       six_line(1, {5, 15, 25}) + no_sections,
                   run_of(1, "0.00", 1, {5, 115, 225, 5, 115, 25, 5, 15, 25, 5, 15, 25})}),
    [](const testing::TestParamInfo<table_case>& info) { return std::string(info.param.name); });

// ---- renumbering ------------------------------------------------------------

TEST(TopoRenumbering, RangesByTheirFirstNumbers) {
    const std::vector<pair_value> fifty = [] {
        std::vector<pair_value> p;
        for (long k = 0; k < 50; ++k) p.push_back({1 + 10 * k, 1001 + 10 * k});
        return p;
    }();
    struct {
        std::vector<pair_value> pairs;
        std::vector<long> in, out;
    } cases[] = {
        // (1, 1), (10, 110), (20, 20): 1..9 as they are, 10..19 shifted, the
        // last pair opens no range, numbers in no range as read.
        {{{1, 1}, {10, 110}, {20, 20}}, {1, 5, 9}, {1, 5, 9}},
        {{{1, 1}, {10, 110}, {20, 20}}, {10, 15, 19}, {110, 115, 119}},
        {{{1, 1}, {10, 110}, {20, 20}}, {20, 25, 999}, {20, 25, 999}},
        {{{1, 1}, {10, 110}, {20, 20}}, {0, -5, 0}, {0, -5, 0}},
        {{{1, 501}, {10, 110}, {20, 20}}, {9, 10, 20}, {509, 110, 20}},  // corners independently
        // Overlapping ranges, the last match decides; 30 <= v < 10 is empty.
        {{{1, 101}, {30, 0}, {10, 210}, {20, 320}, {30, 30}}, {5, 15, 25}, {105, 215, 325}},
        {{{1, 101}, {30, 0}, {10, 210}, {20, 320}, {30, 30}}, {30, 31, 0}, {30, 31, 0}},
        {{{1, 100}}, {1, 2, 3}, {1, 2, 3}},  // one pair opens no range
        {{{1, 100}, {4, 4}}, {1, 3, 4}, {100, 102, 4}},
        {fifty, {1, 490, 491}, {1001, 1490, 491}},  // 50 pairs fill the table
    };
    for (const auto& c : cases) {
        std::string in = one + group_start(1, static_cast<long>(c.pairs.size()), c.pairs) +
                         group_header(1, "0.0", 1, 6) + six_line(1, c.in) + no_sections;
        EXPECT_EQ(elements_of(in), run_of(1, "0.00", 1, c.out)) << c.in[0] << " " << c.in[1] << " " << c.in[2];
    }
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
    s.imid[1] = 10;
    s.ibtm[1] = 20;
    s.ibtm[2] = 30;
    auto records = elements_of(count2(0) + count1(1) + section_header(1, 1, 1) + layer_text("0.0", 4, s));
    ASSERT_EQ(records.size(), 46u);
    EXPECT_EQ(strings(records.begin(), records.begin() + 12),
              run_of(1, "0.00", 4, {10, 1, 2, 10, 20, 1, 10, 21, 20, 10, 2, 21, 11, 2, 3, 11, 21, 2,
                                    11, 22, 21, 11, 3, 22, 30, 20, 21, 30, 21, 31, 31, 21, 32, 21, 22, 32}));
    EXPECT_EQ(records[0], "     1    10     1     2    0.00  4");
}

TEST(TopoSections, LayersCarryTheElementNumberAndSectionsRestartIt) {
    std::string in = count2(0) + count1(2) + section_header(2, 1, 1) + layer_text("30.0", 1, starts_from(0)) +
                     layer_text("-30.0", 2, starts_from(1000)) + section_header(3, 2, 500) +
                     layer_text("0.0", 3, starts_from(2000)) + layer_text("450", 4, starts_from(3000)) +
                     layer_text("90.0", 5, starts_from(4000));
    auto records = elements_of(in);
    ASSERT_EQ(records.size(), 46u * 2 + 92u * 3);
    struct {
        std::size_t from, count;
        long first_number;
        const char* ang;
        long itype, itop;
    } blocks[] = {{0, 46, 1, "   30.00", 1, 0},         {46, 46, 47, "  -30.00", 2, 1000},
                  {92, 92, 500, "    0.00", 3, 2000},   {184, 92, 592, "   45.00", 4, 3000},
                  {276, 92, 684, "   90.00", 5, 4000}};
    for (const auto& b : blocks) {
        for (std::size_t k = 0; k < b.count; ++k) {
            parsed_element e = parse_record(records[b.from + k]);
            EXPECT_EQ(e.number, b.first_number + static_cast<long>(k));
            EXPECT_EQ(e.ang, b.ang);
            EXPECT_EQ(e.itype, b.itype);
        }
        // Each layer starts with the centred cell m, t, t+1 of its own top row.
        EXPECT_EQ(parse_record(records[b.from]).nodes[1], b.itop) << b.first_number;
    }
}

TEST(TopoSections, EmptyLayersAndSectionsStillReadTheirLinesAndGroupsComeFirst) {
    // nb = 0: each layer reads its 16 lines and writes nothing; nlay = 0: the
    // section is its header alone. The last section shows that reading stayed in step.
    std::string in = count2(0) + count1(4) + section_header(2, 0, 1) + layer_text("0.0", 1, starts_from(0)) +
                     layer_text("0.0", 1, starts_from(0)) + section_header(0, 5, 1) + section_header(1, -1, 1) +
                     layer_text("0.0", 1, starts_from(0)) + section_header(1, 1, 77) +
                     layer_text("10.0", 9, starts_from(0));
    auto records = elements_of(in);
    ASSERT_EQ(records.size(), 46u);
    EXPECT_EQ(records[0], element_record(77, 150, 0, 1, "10.00", 9));
    // 16 lines per layer: a file one line short ends on its last record.
    in.erase(in.size() - 5);
    auto cut = run_topo(in);
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.diagnostics, "topo: wtopo.dat, record 70: end of file, the file has only 69 records\n");
    EXPECT_EQ(cut.outputs[0].size(), 46u - 8u);  // row 8 could not start

    records = elements_of(one + group_start(1, 0, {}) + group_header(1, "0.0", 1, 6) + six_line(1, {1, 2, 3}) +
                          count1(1) + section_header(1, 1, 2) + layer_text("0.0", 2, starts_from(10)));
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
    auto r = run_topo(GetParam().input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.diagnostics, "topo: " + GetParam().diagnostic + "\n");
    EXPECT_EQ(r.outputs[0].size(), GetParam().records_kept);
}

// A first group whose five-per-line line takes two records (records 2 to 7),
// so that later record numbers show the counting.
const std::string first_group =
    count2(2) + group_start(1, 1, {{1, 1}}) + group_header(5, "0.0", 1, 5) + five_line(6, from(1, 18));
const std::string second = first_group + group_start(7, 0, {});

INSTANTIATE_TEST_SUITE_P(
    Cases, TopoErrors,
    testing::Values(
        error_case{"TooManyPairs", first_group + number4(1) + count2(51) + pair_record(1, 1),
                   "wtopo.dat, record 9: 51 renumbering pairs, at most 50 fit", 6},
        error_case{"ElementsPerLineFour", second + group_header(0, "0.0", 1, 4),
                   "wtopo.dat, record 10: 4 elements per line, a line holds 5 or 6", 6},
        error_case{"ElementsPerLineZero", second + group_header(1, "0.0", 1, 0),
                   "wtopo.dat, record 10: 0 elements per line, a line holds 5 or 6", 6},
        error_case{"ElementsPerLineNegative", second + group_header(9, "0.0", 1, -6),
                   "wtopo.dat, record 10: -6 elements per line, a line holds 5 or 6", 6},
        error_case{"SevenOnASixPerLineLine",
                   first_group + group_start(7, 2, {{1, 1}, {2, 2}}) + group_header(8, "0.0", 1, 6) +
                       six_line(7, {1, 2, 3}),
                   "wtopo.dat, record 13: 7 elements on a line, at most 6 fit", 6},
        error_case{"NineOnAFivePerLineLineAfterOne",
                   second + group_header(8, "0.0", 1, 5) + five_line(5, {1, 2, 3}) + five_line(9, {1, 2, 3}),
                   "wtopo.dat, record 12: 9 elements on a line, at most 6 fit", 11},
        error_case{"SectionLayerRecordsCountTwo", count2(0) + count1(1) + section_header(1, 1, 1) + "  0.0  1\n   x\n",
                   "wtopo.dat, record 5, columns 1-4: \"   x\" is not a valid I4 field", 0},
        error_case{"MalformedNodeField", second + group_header(1, "0.0", 1, 6) + "1   1  2.   3\n",
                   "wtopo.dat, record 11, columns 7-9: \" 2.\" is not a valid I3 field", 6},
        error_case{"EndOfFileInAGroup", first_group, "wtopo.dat, record 8: end of file, the file has only 7 records",
                   6},
        error_case{"WithoutGroupsTheSecondRecordIsTheSectionCount", count2(0) + count1(1),
                   "wtopo.dat, record 3: end of file, the file has only 2 records", 0}),
    [](const testing::TestParamInfo<error_case>& info) { return std::string(info.param.name); });

}  // namespace
