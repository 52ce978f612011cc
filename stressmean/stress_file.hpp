// The stress file of the outside solver condensed into the profile file.
#pragma once

#include "records/run.hpp"

namespace stressmean {

// The whole program: reads "wstresses.out", writes "wstressavg.out".
void write_stress_profiles(records::run& r);

}  // namespace stressmean
