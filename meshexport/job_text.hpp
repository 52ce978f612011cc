// The text of the job meshexport writes when there is none: the model of
// mesh.inp included, its material and sections, one static step pulling it
// upwards (a patch test) and the element stresses printed in the model's
// axes. Each card has a comment saying what it is, for the user who edits it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "meshexport/polar_lamina.hpp"

namespace meshexport {

// With `plies` null: one isotropic material (210000., 0.3) over every
// element. Otherwise each angle of `angles` (hundredths of a degree, each
// once, ascending) gets polar's lamina, its fibre turned by the layer's
// angle from z toward h about v.
std::string job_text(const std::vector<std::int32_t>& angles, const lamina* plies);

}  // namespace meshexport
