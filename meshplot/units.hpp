// The units meshplot connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace meshplot::units {

inline constexpr records::input_unit wnodes_out{5};  // the node table, read
inline constexpr records::input_unit wtopo_out{7};  // the element table, read

}  // namespace meshplot::units
