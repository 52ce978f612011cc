// The element stresses CalculiX prints in its results file (JOB.dat) for
// *EL PRINT with S, brought back into the suite's stress table "wstresses.out".
#pragma once

#include <string>

#include "records/run.hpp"

namespace stressimport {

// The results file read when none is named.
inline const std::string default_results = "mesh.dat";

// The whole program: reads the results file `results` and "wtopo.out" and
// replaces the stress table "wstresses.out" whole, one stress record per
// element of wtopo.out, in its order: the means over the element's
// integration points of sxx (along h), syy (along v) and sxy (h-v shear).
void import_stresses(records::run& r, const std::string& results);

}  // namespace stressimport
