// The units meshexport connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace meshexport::units {

// 5, 7 and 8 are the model reader's (mesh/model_reader.hpp).
inline constexpr records::output_unit mesh_vtu{10};  // "mesh.vtu", written
inline constexpr records::output_unit mesh_msh{11};  // "mesh.msh", written
inline constexpr records::output_unit mesh_inp{12};  // "mesh.inp", written
inline constexpr records::input_unit polar_out{13};  // "polar.out", read for the job's plies

}  // namespace meshexport::units
