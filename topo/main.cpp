#include "topo/element_table.hpp"

namespace {

const char help[] = R"(Usage: topo [--help | --version]
Writes the element table of a layered plane model.

Runs without arguments in the folder that holds wtopo.dat, and writes one
record per three-node element: explicit element groups, then sections of
layers generated row by row.

A renumbering pair gives the old and new first number of a range of node
numbers; each range ends where the next pair's starts, so the last pair only
closes the range before it, and a node number in no range is written as read.
A section writes 46 elements per coarse cell per layer. More than 50 pairs,
elements per line other than 5 or 6, or more than 6 triples on a line stop
the run like a malformed field. After a fault the element records written
before stay in wtopo.out.

Reads:
  wtopo.dat  a group count (I2), then per group its first element number (I4),
             a renumbering pair count (I2, at most 50), the pairs (1X,I4,1X,I4),
             a header (I4,F6.1,2I3): element count, angle, type, elements per
             line (5 or 6), and connectivity lines (I1,15(1X,I4)) or
             (I1,18(1X,I3)) of at most 6 triples; then a section count (I1)
             and per section a header (I1,1X,I2,1X,I4): layers, coarse cells
             across, first element number, and per layer an angle and type
             (F5.1,I3), the top row's first node (I4) and the first node
             numbers of the centre and bottom node rows of its eight element
             rows
Writes:
  wtopo.out  one record per element (4I6,F8.2,I3): element number, its three
             node numbers (clockwise), angle, type, as in

         1     4     1     2    0.00  2

)";

}  // namespace

int main(int argc, char** argv) { return records::run_program("topo", argc, argv, help, topo::write_element_table); }
