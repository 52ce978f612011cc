// The element table of a layered plane model.
#pragma once

#include "records/run.hpp"

namespace topo {

// The whole program: reads "wtopo.dat", writes "wtopo.out".
void write_element_table(records::run& r);

}  // namespace topo
