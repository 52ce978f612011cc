// The node table of a plane model, expanded from compact node lines.
#pragma once

#include "records/run.hpp"

namespace nodes {

// The whole program: reads "wnodes.dat", writes "wnodes.out".
void write_node_table(records::run& r);

}  // namespace nodes
