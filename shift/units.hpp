// The units shift connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace shift::units {

inline constexpr records::input_unit old3_dat{5};  // "old3.dat", read
inline constexpr records::output_unit new3_dat{6};  // "new3.dat", written

}  // namespace shift::units
