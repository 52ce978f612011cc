// The units polar connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace polar::units {

inline constexpr records::output_unit vf_dat{4};  // "vf.DAT", written
inline constexpr records::input_unit polar_dat{5};  // "polar.dat", read
inline constexpr records::output_unit polar_out{6};  // "polar.out", written
inline constexpr records::output_unit e3_dat{7};  // "e3.DAT", written
inline constexpr records::output_unit g23_dat{8};  // "g23.DAT", written
inline constexpr records::output_unit nu32_dat{9};  // "nu32.DAT", written

}  // namespace polar::units
