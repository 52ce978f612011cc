// The units topo connects its files to, each named once.
#pragma once

namespace topo::units {

inline constexpr int wtopo_dat = 5;  // "wtopo.dat", read
inline constexpr int wtopo_out = 6;  // "wtopo.out", written

}  // namespace topo::units
