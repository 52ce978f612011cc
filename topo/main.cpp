#include "topo/element_table.hpp"

namespace {

const char help[] = R"(topo: writes the element table of a layered plane finite-element model.

Run it without arguments in the folder that holds its input.
  reads   wtopo.dat  a group count (I2), then per group its first element number (I4), a
                     renumbering pair count (I2, at most 50), the pairs (1X,I4,1X,I4), a header
                     (I4,F6.1,2I3): element count, angle, type, elements per line (5 or 6), and
                     connectivity lines (I1,15(1X,I4)) or (I1,18(1X,I3)) of at most 6 triples;
                     then a section count (I1) and per section a header (I1,1X,I2,1X,I4):
                     layers, coarse cells across, first element number, and per layer an angle
                     and type (F5.1,I3), the top row's first node (I4) and the first node numbers
                     of the centre and bottom node rows of its eight element rows
  writes  wtopo.out  one record per three-node element (4I6,F8.2,I3): element number, its three
                     node numbers (clockwise), angle, type

A renumbering pair gives the old and new first number of a range of node numbers; each range
ends where the next pair's starts, so the last pair only closes the range before it, and a node
number in no range is written as read. A section writes 46 elements per coarse cell per layer.
A missing input, a malformed field, a missing record, more than 50 pairs, elements per line
other than 5 or 6, or more than 6 triples on a line stops the run with one line on standard
error and exit status 1; the element records written before stay in wtopo.out.
)";

}  // namespace

int main(int argc, char** argv) { return records::run_program("topo", argc, argv, help, topo::write_element_table); }
