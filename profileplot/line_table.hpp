// The stresses along a line, "wstressline.out" as stressline writes it:
// one record per point of the line that the mesh holds, in their order.
#pragma once

#include <cstdint>
#include <vector>

#include "records/run.hpp"

namespace profileplot {

struct line_table {
    std::vector<std::int32_t> numbers;  // the points' numbers along the line
    std::vector<float> distance, h, v;
    std::vector<float> sigh, sigz, sighz;
};

// Opens "wstressline.out" and reads it to its end, as tables read back
// whole: blank lines are no records, and a record that ends before its last
// field or a last line without its line feed is refused. The points must
// be numbered upwards from 1; a fault ends the run with its diagnostic.
line_table read_line_table(records::run& r);

}  // namespace profileplot
