#include "shift/slash_lines.hpp"

namespace {

const char help[] = R"(shift: re-writes element connectivity lines as slash lines, moving every node number up by 60.

Run it without arguments in the folder that holds its input.
  reads   old3.dat  the element count nel (I4), then one connectivity line (I1,18(1X,I3)) per six
                    elements: a count ns and ns node triples
  writes  new3.dat  one slash line (I1,'/',6(I3,'.',I3,'.',I3,'/')) per connectivity line:
                    1   1   2   3   becomes   1/ 61. 62. 63/

Every number keeps its columns; blank fields read as 0 and are written as 60; a number of 940 or
more no longer fits its three columns and is written as ***. Lines after the last one that nel
asks for are never read.
Decided here: a line count above 6 (the line holds six triples) stops the run with
"old3.dat, record N: 7 elements on a line, at most 6 fit". Any input error stops the run with one
line on standard error and exit status 1; the lines converted before stay in new3.dat.
)";

}  // namespace

int main(int argc, char** argv) { return records::run_program("shift", argc, argv, help, shift::write_slash_lines); }
