#include "shift/slash_lines.hpp"

namespace {

const char help[] = R"(Usage: shift [--help | --version]
Rewrites connectivity lines as slash lines, nodes plus 60.

Runs without arguments in the folder that holds old3.dat, and writes each
connectivity line again with every node number moved up by 60.

Every number keeps its columns; blank fields read as 0 and are written as 60;
a number of 940 or more no longer fits its three columns and is written as
***. Lines after the last one that nel asks for are never read. A count above
6 (a line holds six triples) stops the run like a malformed field, with
"old3.dat, record N: 7 elements on a line, at most 6 fit". After a fault the
lines converted before stay in new3.dat.

Reads:
  old3.dat  the element count nel (I4), then one connectivity line
            (I1,18(1X,I3)) per six elements: a count ns and ns node triples
Writes:
  new3.dat  one slash line (I1,'/',6(I3,'.',I3,'.',I3,'/')) per connectivity
            line

The first line of old3.dat and of new3.dat for the shipped example:

    6   1   2   3   2   3   4   3   4   5   4   5   6   5   6   7   6   7   8
    6/ 61. 62. 63/ 62. 63. 64/ 63. 64. 65/ 64. 65. 66/ 65. 66. 67/ 66. 67. 68/

)";

}  // namespace

int main(int argc, char** argv) { return records::run_program("shift", argc, argv, help, shift::write_slash_lines); }
