#include <cstdio>

#include "stressline/line_arguments.hpp"
#include "stressline/stress_line_file.hpp"

namespace {

const char help[] = R"(Usage: stressline H1 V1 H2 V2 [POINTS] | --help | --version
Writes the stresses along a line through the model.

Runs in the folder of a solved model: the tables nodes and topo wrote and
the stresses a solver wrote for them (stressimport brings CalculiX's back).
The line runs from (H1, V1) to (H2, V2), in the units of wnodes.out, through
POINTS points evenly spaced, both ends included: 101 when not given, at
least 2. Draw it across the thickness to see how the stresses run through
the layers and near a free edge, or along a ply interface; profileplot then
draws the profile (line.svg).

The stress at a point is the mean over every element whose triangle holds
it, edges and corners included: a point on an edge two elements share takes
the mean of both, one on a corner the mean of all that meet there. A point
counts as on an edge within a millionth of the model's largest coordinate.
A point no element holds is not written; the others keep their numbers, and
one line on standard error says how many points fell outside the mesh.
Each element is tested only against the points in the box around it, so a
line across a million elements takes little more than reading them (a few
seconds, about 50 MB). Blank lines in the tables are skipped; a record that ends
before its last field, or a last line without its line feed, is taken for a
file cut off and refused.

Reads:
  wnodes.out       node records (I6,3I3,2F12.6), to the end of the file
  wtopo.out        element records (4I6,F8.2,I3), to the end of the file
  wstresses.out    one record (3E11.4) per element, in the order of
                   wtopo.out: stress along h, along v, shear; a table with
                   another count of records is another mesh's, and refused
Writes:
  wstressline.out  one record (I6,3F12.6,3(1X,E11.4)) per point in the mesh:
                   its number, its distance from (H1, V1), h, v, then the
                   mean stress along h, along v and the h-v shear. Written
                   under a temporary name of the run's own and put in place
                   only when the run ends well

)";

// Why a run ends with exit status 1, for the help text.
const char stopped[] = R"(the run stopped on a fault: a missing input, a malformed field, a
     table cut off, a missing node, an element without area, a wstresses.out
     of another mesh or a failed write; one line on standard error says what
     and where, and wstressline.out is left as it was
)";

// What makes a usage error, for the help text.
const char usage_errors[] = R"(a usage error: an option other than --help or --version, other than
     4 or 5 arguments, a coordinate that is not a number or that F12.6
     cannot write, a line longer than that, or POINTS not a whole number
     from 2 to 999999
)";

}  // namespace

int main(int argc, char** argv) {
    stressline::line l;
    std::int32_t outside = 0;
    int status = records::run_program_with_arguments(
        "stressline", argc, argv, help, "H1 V1 H2 V2 [POINTS]", 4, 5,
        [&](std::span<char* const> arguments) { return stressline::read_line_arguments(arguments, l); },
        [&](records::run& r) { stressline::write_stress_line(r, l, outside); }, usage_errors, stopped);
    if (status == 0 && outside > 0)
        std::fprintf(stderr, "stressline: %d of %d points fell outside the mesh and are not written\n",
                     static_cast<int>(outside), static_cast<int>(l.points));
    return status;
}
