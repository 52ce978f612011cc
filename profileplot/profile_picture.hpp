// The picture of the stress profiles: three charts, one above the other,
// each with its axes, ticks, titles and a legend of its curves.
#pragma once

#include <string>

#include "profileplot/profile_tables.hpp"

namespace profileplot {

std::string profile_picture(const profile_tables& t);

}  // namespace profileplot
