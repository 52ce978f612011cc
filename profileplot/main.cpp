#include "plots/svg.hpp"
#include "profileplot/profile_picture.hpp"
#include "profileplot/profile_tables.hpp"

namespace {

const char help[] = R"(profileplot: draws the stress profiles that stressmean wrote.

Run it without arguments in the folder where stressmean ran.
  reads   wstressavg.out  its 127 records: 95 of SIGZ and SIGHZ along Z/H, 6 of SIGZ near
                          Y/B = 1, 26 of SAZM and SAZT along Y/B
  writes  profiles.svg    three charts: SIGZ and SIGHZ against Z/H, SIGZ against Y/B near 1,
                          SAZM and SAZT against Y/B

Each point is one record of the file; the stresses are in the units of the solver that
wrote wstresses.out. Values that are not finite are left out of the curves.
A missing file, a malformed field or a missing record stops the run with one line on
standard error and exit status 1; profiles.svg is then left as it was.
)";

void draw(records::run& r) {
    profileplot::profile_tables tables = profileplot::read_profile_tables(r);
    plots::write_file(r, "profiles.svg", profileplot::profile_picture(tables));
}

}  // namespace

int main(int argc, char** argv) { return records::run_program("profileplot", argc, argv, help, draw); }
