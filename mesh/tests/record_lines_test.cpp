// The line of each record of a table read whole, blank lines between them.
#include <gtest/gtest.h>

#include "mesh/record_lines.hpp"

namespace {

TEST(RecordLines, LineOfEachRecord) {
    struct table_case {
        const char* name;
        std::vector<long> lines;  // of the records in turn
    };
    const table_case cases[] = {
        {"no blank lines", {1, 2, 3, 4}},
        {"blank lines first", {3, 4, 5}},
        {"blank lines between", {1, 2, 5, 6, 9}},
        {"one record", {7}},
    };
    for (const table_case& c : cases) {
        mesh_model::record_lines lines;
        for (std::size_t p = 0; p < c.lines.size(); ++p) lines.add(p, c.lines[p]);
        for (std::size_t p = 0; p < c.lines.size(); ++p) EXPECT_EQ(lines.line(p), c.lines[p]) << c.name << ", " << p;
    }
}

}  // namespace
