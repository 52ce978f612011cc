// The units stressimport connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace stressimport::units {

inline constexpr records::input_unit results{5};  // the solver's results ("mesh.dat" unless named), read
inline constexpr records::output_unit wstresses_out{6};  // the element stresses, written
inline constexpr records::input_unit wtopo_out{7};  // "wtopo.out", read

}  // namespace stressimport::units
