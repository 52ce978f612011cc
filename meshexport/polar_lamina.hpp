// polar's lamina for the plies of the solver's job: the engineering
// constants of one of the three volume fractions of "polar.out".
#pragma once

#include <array>
#include <string>

#include "records/run.hpp"

namespace meshexport {

struct lamina {
    int fraction_number = 1;  // 1 to 3: which of polar's volume fractions
    float fraction = 0.0f;    // the fibre volume fraction itself
    // EL, ET, GLT, GTT, NULT, NUTT, in the order of
    // layouts::engineering_constants.
    std::array<float, 6> constants{};
    std::string unit;  // the moduli's unit text, as polar.dat gave it: "(GPA)"
};

// Reads the lamina of fraction `fraction_number` from "polar.out" on `unit`.
// A record that does not carry polar's label (a file that is not polar's
// report, or one cut short), a field that is not a number, a modulus that
// is not a finite number above 0 or a Poisson ratio that is not finite ends
// the run with a diagnostic naming the record.
lamina read_lamina(records::run& r, records::input_unit unit, int fraction_number);

}  // namespace meshexport
