#include "plots/svg.hpp"
#include "profileplot/profile_picture.hpp"
#include "profileplot/profile_tables.hpp"

namespace {

const char help[] = R"(Usage: profileplot [--help | --version]
Draws the stress profiles that stressmean wrote.

Runs without arguments in the folder where stressmean ran, and draws its
three stress profiles as charts, a dot per record and a step per slice.

The stresses are in the units of the solver that wrote wstresses.out. Values
that are not finite are left out of the curves. A file with fewer records, a
record that ends before its last field, or a last line without its line feed
(a file cut off), stops the run like a missing record; after a fault
profiles.svg is left as it was.

Reads:
  wstressavg.out  its 127 records: 95 of SIGZ and SIGHZ along Z/H, 6 of SIGZ
                  near Y/B = 1, 26 of SAZM and SAZT along Y/B, in the layouts
                  stressmean writes; blank lines are skipped
Writes:
  profiles.svg    four charts: SIGZ and SIGHZ against Z/H, SIGZ against Y/B
                  near 1, SAZM and SAZT against Y/B and near Y/B = 1; each
                  profile is drawn as steps, a record's value holding across
                  its slice up to halfway to the next record

)";

void draw(records::run& r) {
    profileplot::profile_tables tables = profileplot::read_profile_tables(r);
    plots::write_file(r, "profiles.svg", profileplot::profile_picture(tables));
}

}  // namespace

int main(int argc, char** argv) { return records::run_program("profileplot", argc, argv, help, draw); }
