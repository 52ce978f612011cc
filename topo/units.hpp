// The units topo connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace topo::units {

inline constexpr records::input_unit wtopo_dat{5};  // "wtopo.dat", read
inline constexpr records::output_unit wtopo_out{6};  // "wtopo.out", written

}  // namespace topo::units
