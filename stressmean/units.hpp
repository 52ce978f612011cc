// The units stressmean connects its files to, each named once.
#pragma once

namespace stressmean::units {

inline constexpr int wstresses_out = 5;  // "wstresses.out", read
inline constexpr int wstressavg_out = 6;  // "wstressavg.out", written

}  // namespace stressmean::units
