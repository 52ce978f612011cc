// The units shift connects its files to, each named once.
#pragma once

namespace shift::units {

inline constexpr int old3_dat = 5;  // "old3.dat", read
inline constexpr int new3_dat = 6;  // "new3.dat", written

}  // namespace shift::units
