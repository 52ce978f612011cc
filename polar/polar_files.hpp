// The whole polar run: material in, report and plot tables out.
#pragma once

#include "records/run.hpp"

namespace polar {

// Reads "polar.dat"; writes "polar.out", "vf.DAT", "e3.DAT", "g23.DAT", "nu32.DAT".
void write_polar_files(records::run& r);

}  // namespace polar
