#include "nodes/node_table.hpp"

namespace {

const char help[] = R"(Usage: nodes [--help | --version]
Writes the node table of a plane finite-element model.

Runs without arguments in the folder that holds wnodes.dat, and expands the
node lines given there compactly into one record per node.

Each line's nodes run to just before the next segment's first node, the last
segment to just before the next line's first node; h grows by the segment's
spacing from node to node, across segments, in 32-bit arithmetic. The last
line record only closes the line before it. After a fault the node records
written before stay in wnodes.out.

Reads:
  wnodes.dat  a count of node lines (I3), then one more line record than that
              count, (F7.5,1X,F7.5,1X,I1,8(1X,I4,1X,I1)): v, h of the first
              node, a segment count, and per segment its first node number and
              a spacing code 0-9 (spacing 1/2^(code-1); 0 means 1); a ninth
              segment goes on in the next record
Writes:
  wnodes.out  one record per node (I6,3I3,2F12.6): node number, the flags
              h=0 and v=12, h=0, v=12, then h and v, as in

         1  1  1  1    0.000000   12.000000

)";

}  // namespace

int main(int argc, char** argv) { return records::run_program("nodes", argc, argv, help, nodes::write_node_table); }
