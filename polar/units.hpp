// The units polar connects its files to, each named once.
#pragma once

namespace polar::units {

inline constexpr int vf_dat = 4;  // "vf.DAT", written
inline constexpr int polar_dat = 5;  // "polar.dat", read
inline constexpr int polar_out = 6;  // "polar.out", written
inline constexpr int e3_dat = 7;  // "e3.DAT", written
inline constexpr int g23_dat = 8;  // "g23.DAT", written
inline constexpr int nu32_dat = 9;  // "nu32.DAT", written

}  // namespace polar::units
