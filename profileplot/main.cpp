#include <filesystem>
#include <optional>

#include "layouts/stress_line.hpp"
#include "layouts/stress_profiles.hpp"
#include "plots/svg.hpp"
#include "profileplot/line_picture.hpp"
#include "profileplot/line_table.hpp"
#include "profileplot/units.hpp"
#include "profileplot/profile_picture.hpp"
#include "profileplot/profile_tables.hpp"

namespace {

const char help[] = R"(Usage: profileplot [--help | --version]
Draws the stress profiles that stressmean wrote.

Runs without arguments in the folder where stressmean or stressline ran,
and draws what each wrote, a dot per record and a step per slice: the three
stress profiles of stressmean as charts, and the stresses that stressline
found along its line as a chart of their own. Either table may be missing,
not both; a picture whose table is missing is not drawn, and an earlier one
stays as it was.

The stresses are in the units of the solver that wrote wstresses.out. Values
that are not finite are left out of the curves. A file with fewer records, a
record that ends before its last field, or a last line without its line feed
(a file cut off), stops the run like a missing record; after a fault both
pictures are left as they were.

Reads:
  wstressavg.out   its 127 records: 95 of SIGZ and SIGHZ along Z/H, 6 of SIGZ
                   near Y/B = 1, 26 of SAZM and SAZT along Y/B, in the
                   layouts stressmean writes; blank lines are skipped
  wstressline.out  the records (I6,3F12.6,3(1X,E11.4)) stressline writes, to
                   the end of the file: point number (upwards), distance, h,
                   v, SH, SZ, SHZ; blank lines are skipped
Writes:
  profiles.svg     four charts: SIGZ and SIGHZ against Z/H, SIGZ against Y/B
                   near 1, SAZM and SAZT against Y/B and near Y/B = 1; each
                   profile is drawn as steps, a record's value holding across
                   its slice up to halfway to the next record
  line.svg         SH, SZ and SHZ against the distance along the line,
                   as steps halfway between points (the points' elements
                   change between them), broken where points fell outside
                   the mesh; the first and last point and the units in the
                   title

)";

void draw(records::run& r) {
    // Every table is read before any picture is written, so a fault in
    // either leaves both pictures as they were.
    std::error_code error;
    bool profiles = std::filesystem::exists(layouts::stress_profiles_file, error);
    bool line = std::filesystem::exists(layouts::stress_line_file, error);
    std::optional<profileplot::profile_tables> tables;
    std::optional<profileplot::line_table> points;
    // Without either table, the missing profiles are what the run names.
    if (profiles || !line) tables = profileplot::read_profile_tables(r);
    if (line) points = profileplot::read_line_table(r);
    // Both pictures are opened before either is written, so that one that
    // cannot be opened leaves the other as it was.
    std::optional<plots::svg_file> profiles_svg, line_svg;
    if (tables) profiles_svg.emplace(r, "profiles.svg", plots::picture_unit);
    if (points) line_svg.emplace(r, "line.svg", profileplot::units::line_svg);
    if (profiles_svg) {
        profiles_svg->write(profileplot::profile_picture(*tables));
        profiles_svg->close();
    }
    if (line_svg) {
        line_svg->write(profileplot::line_picture(*points));
        line_svg->close();
    }
}

}  // namespace

int main(int argc, char** argv) { return records::run_program("profileplot", argc, argv, help, draw); }
