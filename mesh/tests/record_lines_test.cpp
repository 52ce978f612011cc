// The line of each record of a table read whole, blank lines between them.
#include <gtest/gtest.h>

#include "mesh/record_lines.hpp"

namespace {

TEST(RecordLines, LineOfEachRecord) {
    struct table_case {
        const char* name;
        std::vector<long> lines;  // of the records in turn
        long lines_per_record = 1;
    };
    const table_case cases[] = {
        {"no blank lines", {1, 2, 3, 4}},
        {"blank lines first", {3, 4, 5}},
        {"blank lines between", {1, 2, 5, 6, 9}},
        {"one record", {7}},
        {"two lines each", {4, 6, 8, 10}, 2},
        {"two lines each, one record of one line, blank lines", {4, 6, 7, 12, 14}, 2},
    };
    for (const table_case& c : cases) {
        mesh_model::record_lines lines(c.lines_per_record);
        for (std::size_t p = 0; p < c.lines.size(); ++p) lines.add(p, c.lines[p]);
        for (std::size_t p = 0; p < c.lines.size(); ++p) EXPECT_EQ(lines.line(p), c.lines[p]) << c.name << ", " << p;
    }
}

}  // namespace
