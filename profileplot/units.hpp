// The units profileplot connects its files to, each named once.
#pragma once

namespace profileplot::units {

inline constexpr int wstressavg_out = 5;   // "wstressavg.out", read
inline constexpr int wstressline_out = 6;  // "wstressline.out", read
inline constexpr int line_svg = 21;        // "line.svg", written; "profiles.svg" is plots::picture_unit

}  // namespace profileplot::units
