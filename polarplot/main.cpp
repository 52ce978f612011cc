#include "plots/svg.hpp"
#include "polarplot/polar_picture.hpp"
#include "polarplot/polar_tables.hpp"

namespace {

const char help[] = R"(polarplot: draws the off-axis properties that polar wrote as three polar diagrams.

Run it without arguments in the folder where polar ran.
  reads   vf.DAT     the three fibre volume fractions (3F5.2)
          e3.DAT     361 records: angle in radians, E3 for each volume fraction
          g23.DAT    361 records: angle in radians, G23 for each volume fraction
          nu32.DAT   361 records: angle, positive part of NU32 per fraction, negative part
  writes  polar.svg  the diagrams of E3, G23 and NU32, one curve per volume fraction

The radius of a curve is the property at the angle THETA from the fibre axis; the angle in
degrees stands around the rim and the rings are labelled with the radius (moduli in the
units of polar.dat). NU32 is drawn solid where it is positive and dashed, as its magnitude,
where it is negative. Values that are not finite are left out of the curves.
A missing file, a malformed field or a missing record stops the run with one line on
standard error and exit status 1; polar.svg is then left as it was.
)";

void draw(records::run& r) {
    polarplot::polar_tables tables = polarplot::read_polar_tables(r);
    plots::write_file(r, "polar.svg", polarplot::polar_picture(tables));
}

}  // namespace

int main(int argc, char** argv) { return records::run_program("polarplot", argc, argv, help, draw); }
