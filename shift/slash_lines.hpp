// Connectivity lines re-written as slash lines, node numbers moved up by 60.
#pragma once

#include "records/run.hpp"

namespace shift {

// The whole program: reads "old3.dat", writes "new3.dat".
void write_slash_lines(records::run& r);

}  // namespace shift
