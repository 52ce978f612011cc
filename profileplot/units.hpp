// The units profileplot connects its files to, each named once.
#pragma once

namespace profileplot::units {

inline constexpr int wstressavg_out = 5;  // "wstressavg.out", read

}  // namespace profileplot::units
