// The units nodes connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace nodes::units {

inline constexpr records::input_unit wnodes_dat{5};  // "wnodes.dat", read
inline constexpr records::output_unit wnodes_out{6};  // "wnodes.out", written

}  // namespace nodes::units
