// The picture of the stresses along a line: one chart of the three
// stresses against the distance along the line, the points' ends and the
// units in its title.
#pragma once

#include <string>

#include "profileplot/line_table.hpp"

namespace profileplot {

std::string line_picture(const line_table& t);

}  // namespace profileplot
