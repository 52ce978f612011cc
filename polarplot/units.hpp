// The units polarplot connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace polarplot::units {

inline constexpr records::input_unit vf_dat{4};  // "vf.DAT", read
inline constexpr records::input_unit polar_dat{5};  // "polar.dat", read for the moduli's unit
inline constexpr records::input_unit e3_dat{7};  // "e3.DAT", read
inline constexpr records::input_unit g23_dat{8};  // "g23.DAT", read
inline constexpr records::input_unit nu32_dat{9};  // "nu32.DAT", read

}  // namespace polarplot::units
