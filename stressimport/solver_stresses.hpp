// The element stresses CalculiX prints in "mesh.dat" for *EL PRINT with S,
// brought back into the suite's stress table "wstresses.out".
#pragma once

#include "records/run.hpp"

namespace stressimport {

// The whole program: reads "mesh.dat" and "wtopo.out" and replaces the stress
// table "wstresses.out" whole, one stress record per element of wtopo.out, in
// its order: the means over the element's integration points of sxx (along
// h), syy (along v) and sxy (h-v shear).
void import_stresses(records::run& r);

}  // namespace stressimport
