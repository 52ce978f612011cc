// The units nodes connects its files to, each named once.
#pragma once

namespace nodes::units {

inline constexpr int wnodes_dat = 5;  // "wnodes.dat", read
inline constexpr int wnodes_out = 6;  // "wnodes.out", written

}  // namespace nodes::units
