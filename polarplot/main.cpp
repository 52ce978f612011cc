#include "plots/svg.hpp"
#include "polarplot/polar_picture.hpp"
#include "polarplot/plot_table_reader.hpp"

namespace {

const char help[] = R"(Usage: polarplot [--help | --version]
Draws the off-axis properties that polar wrote.

Runs without arguments in the folder where polar ran, and draws the polar
plot tables as three polar diagrams, one curve per volume fraction.

The radius of a curve is the property at the angle THETA from the fibre axis;
the angle in degrees stands around the rim. NU32 is drawn solid where it is
positive and dashed, as its magnitude, where it is negative. Values that are
not finite are left out of the curves. A file with fewer records than these
counts, a record that ends before its last field, or a last line without its
line feed (a file cut off), stops the run like a missing record; blank lines
are skipped; after a fault polar.svg is left as it was.

Reads:
  vf.DAT     the three fibre volume fractions (3F5.2)
  e3.DAT     361 records (1X,E11.4,3(1X,E11.4)): the angle in radians, then
             E3 for each volume fraction
  g23.DAT    the same for G23
  nu32.DAT   361 records (1X,E11.4,3(1X,E11.4),3(1X,E11.4)): the angle, the
             positive part of NU32 per fraction, then the negative parts
  polar.dat  the unit text of the moduli (columns 26-45 of record 2), when
             the file is there
Writes:
  polar.svg  the diagrams of E3, G23 and NU32, a scale of each below it, and
             a table of the values at 0 and 90 degrees

)";

void draw(records::run& r) {
    polarplot::polar_tables tables = polarplot::read_polar_tables(r);
    plots::write_file(r, "polar.svg", polarplot::polar_picture(tables));
}

}  // namespace

int main(int argc, char** argv) { return records::run_program("polarplot", argc, argv, help, draw); }
