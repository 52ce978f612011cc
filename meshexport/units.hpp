// The units meshexport connects its files to, each named once.
#pragma once

namespace meshexport::units {

inline constexpr int wnodes_out = 5;  // "wnodes.out", read
inline constexpr int wtopo_out = 7;  // "wtopo.out", read
inline constexpr int wstresses_out = 8;  // "wstresses.out", read
inline constexpr int mesh_vtu = 10;  // "mesh.vtu", written
inline constexpr int mesh_msh = 11;  // "mesh.msh", written
inline constexpr int mesh_inp = 12;  // "mesh.inp", written

}  // namespace meshexport::units
