// The layers' angles as the exported files group and name them. An angle is
// what wtopo.out holds, a value of F8.2, so it is known by its whole
// hundredths of a degree; each angle of the model gets an element set of
// mesh.inp, a physical group of mesh.msh and, in the job, its ply.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "meshexport/mesh_writers.hpp"

namespace meshexport {

// The angle in whole hundredths of a degree, halves away from zero; -0.00
// is 0. The reader refuses an angle F8.2 cannot hold, so the value is below
// 10^5 in size and its hundredths fit an int32. A float times 100 has at
// most 31 significant bits, so the double product and the half added to it
// are exact, and the floor of the sum, which is positive, is the rounded
// value itself: the sum's whole part, which the conversion keeps.
inline std::int32_t angle_hundredths(float angle) {
    auto hundredths = static_cast<std::int32_t>(std::fabs(double{angle} * 100.0) + 0.5);
    return angle < 0.0f ? -hundredths : hundredths;
}

// The name of an angle's set: "ANGLE" and the angle with its trailing zeros
// dropped, a minus written M and the decimal point _, so that the name is a
// word to every tool: ANGLE0, ANGLE90, ANGLEM45, ANGLE22_5, ANGLE0_25.
std::string angle_set_name(std::int32_t hundredths);

// The angle of an element in hundredths, a key to group elements by.
inline constexpr auto angle_of = [](const element_record& e) { return angle_hundredths(e.angle); };

}  // namespace meshexport
