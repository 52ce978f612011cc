// The units profileplot connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace profileplot::units {

inline constexpr records::input_unit wstressavg_out{5};   // "wstressavg.out", read
inline constexpr records::input_unit wstressline_out{6};  // "wstressline.out", read
inline constexpr records::output_unit line_svg{21};        // "line.svg", written; "profiles.svg" is plots::picture_unit

}  // namespace profileplot::units
