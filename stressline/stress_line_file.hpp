// One run of stressline: the model read, the line's points placed in it and
// "wstressline.out" written.
#pragma once

#include <cstdint>

#include "records/run.hpp"
#include "stressline/line_arguments.hpp"

namespace stressline {

// Reads the model with its stresses (a model without "wstresses.out" is
// refused like any missing input) and replaces "wstressline.out" with one
// record for each point of the line that an element holds. `outside` is set
// to the count of the points that none holds, which are not written.
void write_stress_line(records::run& r, const line& l, std::int32_t& outside);

}  // namespace stressline
