// How many records a connectivity line takes, for naming records in errors.
#include <gtest/gtest.h>

#include "topo/groups.hpp"

namespace {

TEST(RecordsForItems, ConnectivityLines) {
    struct {
        long items, first, again, records;
    } cases[] = {
        {1, 16, 15, 1},   // ns = 0
        {16, 16, 15, 1},  // five triples in the five-per-line layout
        {19, 16, 15, 2},  // the sixth triple reverts to a second record
        {31, 16, 15, 2},
        {32, 16, 15, 3},
        {19, 19, 18, 1},  // six triples in the six-per-line layout
    };
    for (const auto& c : cases) EXPECT_EQ(topo::records_for_items(c.items, c.first, c.again), c.records) << c.items;
}

}  // namespace
