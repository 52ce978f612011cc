// The range table on its own: bounds, order of matching, wrapping.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <vector>

#include "topo/renumbering.hpp"

namespace {

using topo::range_table;

range_table table_of(const std::vector<std::pair<std::int32_t, std::int32_t>>& pairs) {
    range_table t;
    t.start(static_cast<std::int32_t>(pairs.size()));
    std::int32_t k = 1;
    for (auto [o, n] : pairs) t.set_pair(k++, o, n);
    return t;
}

TEST(RangeTable, EmptyTableLeavesEveryNumber) {
    range_table t;
    t.start(0);
    EXPECT_EQ(t.renumber(7), 7);
    EXPECT_EQ(t.renumber(0), 0);
}

TEST(RangeTable, ShorterGroupAfterALongerOneUsesOnlyItsOwnPairs) {
    range_table t = table_of({{1, 1}, {10, 110}, {20, 220}, {30, 30}});
    EXPECT_EQ(t.renumber(25), 225);
    t.start(3);
    t.set_pair(1, 1, 1);
    t.set_pair(2, 10, 110);
    t.set_pair(3, 20, 520);
    EXPECT_EQ(t.renumber(25), 25);
    EXPECT_EQ(t.renumber(19), 119);
}

TEST(RangeTable, ShiftsWrapAtThe32BitLimits) {
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
    range_table t = table_of({{0, max}, {10, 10}});
    EXPECT_EQ(t.renumber(0), max);
    EXPECT_EQ(t.renumber(1), min);  // max + 1 wraps
    range_table u = table_of({{max - 1, min}, {max, max}});
    EXPECT_EQ(u.renumber(max - 1), min);  // the shift min - (max - 1) wraps too
}

TEST(RangeTable, PairCountsOutsideTheTableAreRefused) {
    range_table t;
    EXPECT_THROW(t.start(51), std::out_of_range);
    EXPECT_THROW(t.start(-1), std::out_of_range);
    t.start(50);
    EXPECT_NO_THROW(t.set_pair(50, 1, 1));
    EXPECT_THROW(t.set_pair(51, 1, 1), std::out_of_range);
    EXPECT_THROW(t.set_pair(0, 1, 1), std::out_of_range);
}

}  // namespace
