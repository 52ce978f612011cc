// The parts of topo that whole runs reach only with extreme inputs: the
// range table's bounds, numbers wrapping at the 32-bit limits, fields too
// narrow for their numbers, and how many records a connectivity line takes.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <stdexcept>

#include "records/run.hpp"
#include "tests/support/scratch.hpp"
#include "topo/element_record.hpp"
#include "topo/groups.hpp"
#include "topo/renumbering.hpp"
#include "topo/sections.hpp"

namespace {

constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();

TEST(RangeTable, ShiftsWrapAndPairCountsOutsideTheTableAreRefused) {
    topo::range_table t;
    t.start(2);
    t.set_pair(1, 0, max);
    t.set_pair(2, 10, 10);
    EXPECT_EQ(t.renumber(0), max);
    EXPECT_EQ(t.renumber(1), min);  // max + 1 wraps
    t.set_pair(1, max - 1, min);
    t.set_pair(2, max, max);
    EXPECT_EQ(t.renumber(max - 1), min);  // the shift min - (max - 1) wraps too
    EXPECT_THROW(t.start(51), std::out_of_range);
    EXPECT_THROW(t.start(-1), std::out_of_range);
    t.start(50);
    EXPECT_NO_THROW(t.set_pair(50, 1, 1));
    EXPECT_THROW(t.set_pair(51, 1, 1), std::out_of_range);
    EXPECT_THROW(t.set_pair(0, 1, 1), std::out_of_range);
}

TEST(FormPass, NumbersWrapPastThe32BitLimit) {
    topo::layer_counters k{max - 1, max, max - 1, max};
    std::array<topo::element, 7> out;
    ASSERT_EQ(topo::form_pass(topo::element_rows[5], k, out), 7u);  // row 6, widening fan
    EXPECT_EQ(out[0].number, max - 1);
    EXPECT_EQ(out[2].number, min);
    EXPECT_EQ(out[0].first, max);       // c = m + 1
    EXPECT_EQ(out[0].third, min);       // t + 1
    EXPECT_EQ(out[4].second, min + 1);  // b + 2
    EXPECT_EQ(k.iel, min + 5);
    EXPECT_EQ(k.imid, min);
}

TEST(ElementWriter, NumbersTooWideForTheirFieldsAreAsterisks) {
    suite_test::scratch_dir dir;
    auto here = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    int status = records::run_program("topo", [](records::run& r) {
        ASSERT_TRUE(r.open_unit(6, "wtopo.out", records::file_status::unknown));
        topo::element_writer w(r);
        w.write({1234567, -99999, 999999, min}, 123456.0f, 1000);
        w.write({1, 2, 3, 4}, -0.5f, -99);
    });
    std::filesystem::current_path(here);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dir.read("wtopo.out"),
              "******" "-99999" "999999" "******" "********" "***\n"
              "     1     2     3     4   -0.50-99\n");
}

}  // namespace
