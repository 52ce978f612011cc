// The picture of the polar plot tables: three polar diagrams side by side
// (E3, G23, NU32), one curve per volume fraction, rings labelled with the
// radius and the angle in degrees around the rim.
#pragma once

#include <string>
#include <vector>

#include "polarplot/plot_table_reader.hpp"

namespace polarplot {

// Rows of one part of NU32 (posnu32 or negnu32) that its curve passes
// through: the rows where the part is not zero, and a zero row next to one
// of them, where NU32 changes sign and the curve meets the centre. Rows with
// a non-finite value or angle are never taken.
std::vector<bool> part_rows(const column& theta, const column& part);

// Rows of E3 or G23 that the curve passes through: finite angle and value.
std::vector<bool> finite_rows(const column& theta, const column& values);

// The whole document of "polar.svg".
std::string polar_picture(const polar_tables& t);

}  // namespace polarplot
