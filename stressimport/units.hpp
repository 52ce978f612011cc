// The units stressimport connects its files to, each named once.
#pragma once

namespace stressimport::units {

inline constexpr int results = 5;  // the solver's results ("mesh.dat" unless named), read
inline constexpr int wstresses_out = 6;  // the element stresses, written
inline constexpr int wtopo_out = 7;  // "wtopo.out", read

}  // namespace stressimport::units
