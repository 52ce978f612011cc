// Records found by number over the whole range of an I6 field, the later
// record of a number given twice, and the numbers given before.
#include <gtest/gtest.h>

#include <cstddef>
#include <stdexcept>

#include "mesh/number_index.hpp"

namespace {

using mesh_model::greatest_number;
using mesh_model::least_number;
using mesh_model::number_index;
using mesh_model::number_set;

TEST(NumberIndex, FindsWhatWasPut) {
    number_index index;
    EXPECT_EQ(index.find(1), 0);
    EXPECT_EQ(index[1], 0u);
    struct put_case {
        std::int32_t number;
        std::size_t position;
        std::int32_t before;  // what put gives back
    };
    const put_case puts[] = {
        {7, 0, 0}, {least_number, 1, 0}, {greatest_number, 2, 0}, {0, 3, 0},
        {7, 4, 1},  // given twice: the earlier record's position + 1
        {7, 5, 5},  // and a third time: the later one's
    };
    for (const put_case& p : puts) EXPECT_EQ(index.put(p.number, p.position), p.before) << p.number;
    EXPECT_EQ(index.find(7), 6);
    EXPECT_EQ(index.find(least_number), 2);
    EXPECT_EQ(index.find(greatest_number), 3);
    EXPECT_EQ(index.find(0), 4);
    EXPECT_EQ(index[greatest_number], 3);
    EXPECT_EQ(index[7], 6);
    for (std::int32_t absent : {1, 6, 8, -1, least_number + 1, greatest_number - 1}) EXPECT_EQ(index.find(absent), 0);
    // Beyond an I6 field's numbers: never found, and refused.
    EXPECT_EQ(index.find(least_number - 1), 0);
    EXPECT_EQ(index.find(greatest_number + 1), 0);
    EXPECT_EQ(index[static_cast<std::size_t>(greatest_number) + 1], 0);
    EXPECT_EQ(index[static_cast<std::size_t>(-1)], 0);
    EXPECT_THROW(index.put(least_number - 1, 9), std::out_of_range);
    EXPECT_THROW(index.put(greatest_number + 1, 9), std::out_of_range);
    EXPECT_THROW(index.put(1, std::size_t{0x7FFFFFFF}), std::out_of_range);
    EXPECT_EQ(index.put(1, std::size_t{0x7FFFFFFE}), 0);
    EXPECT_EQ(index.find(1), 0x7FFFFFFF);
}

TEST(NumberSet, TellsTheNumbersGivenBefore) {
    number_set set;
    EXPECT_FALSE(set.contains(5));
    for (std::int32_t number : {5, least_number, greatest_number, 0}) {
        EXPECT_TRUE(set.insert(number)) << number;
        EXPECT_FALSE(set.insert(number)) << number;
        EXPECT_TRUE(set.contains(number)) << number;
    }
    for (std::int32_t absent : {4, 6, -1, least_number + 1, greatest_number - 1, least_number - 1, greatest_number + 1})
        EXPECT_FALSE(set.contains(absent)) << absent;
    EXPECT_THROW(set.insert(greatest_number + 1), std::out_of_range);
    EXPECT_THROW(set.insert(least_number - 1), std::out_of_range);
}

}  // namespace
