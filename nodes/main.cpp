#include "nodes/node_table.hpp"

namespace {

const char help[] = R"(nodes: writes the node table of a plane finite-element model.

Run it without arguments in the folder that holds its input.
  reads   wnodes.dat  a count of node lines (I3), then one more line record than that count:
                      v, h of the first node, a segment count, and per segment its first
                      node number and a spacing code 0-9 (spacing 1/2^(code-1); 0 means 1)
  writes  wnodes.out  one record per node (I6,3I3,2F12.6): node number, the flags
                      h=0 and v=12 / h=0 / v=12, then h and v

Each line's nodes run to just before the next segment's first node, the last segment to just
before the next line's first node; h grows by the segment's spacing from node to node, across
segments, in 32-bit arithmetic. The last line record only closes the line before it.
A missing input, a malformed field or a missing record stops the run with one line on
standard error and exit status 1; the node records written before stay in wnodes.out.
)";

}  // namespace

int main(int argc, char** argv) { return records::run_program("nodes", argc, argv, help, nodes::write_node_table); }
