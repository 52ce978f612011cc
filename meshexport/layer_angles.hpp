// The layers' angles as the exported files group and name them. An angle is
// what wtopo.out holds, a value of F8.2, so it is known by its whole
// hundredths of a degree; each angle of the model gets an element set of
// mesh.inp, a physical group of mesh.msh and, in the job, its ply.
#pragma once

#include <cstdint>
#include <string>

#include "meshexport/mesh_writers.hpp"

namespace meshexport {

// The angle in whole hundredths of a degree; -0.00 is 0.
std::int32_t angle_hundredths(float angle);

// The name of an angle's set: "ANGLE" and the angle with its trailing zeros
// dropped, a minus written M and the decimal point _, so that the name is a
// word to every tool: ANGLE0, ANGLE90, ANGLEM45, ANGLE22_5, ANGLE0_25.
std::string angle_set_name(std::int32_t hundredths);

// The angle of an element in hundredths, a key to group elements by.
inline std::int32_t angle_of(const element_record& e) { return angle_hundredths(e.angle); }

}  // namespace meshexport
