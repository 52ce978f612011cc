// The units polarplot connects its files to, each named once.
#pragma once

namespace polarplot::units {

inline constexpr int vf_dat = 4;  // "vf.DAT", read
inline constexpr int polar_dat = 5;  // "polar.dat", read for the moduli's unit
inline constexpr int e3_dat = 7;  // "e3.DAT", read
inline constexpr int g23_dat = 8;  // "g23.DAT", read
inline constexpr int nu32_dat = 9;  // "nu32.DAT", read

}  // namespace polarplot::units
