// Effective elastic properties of a unidirectional fibre composite for
// three fibre volume fractions, their stiffness and compliance matrices, and
// seven off-axis properties for every whole degree.
//
// Reads "polar.dat"; writes the report "polar.out", the volume fractions to
// "vf.DAT" and the polar plot files "e3.DAT", "g23.DAT" and "nu32.DAT".
#include "polar/polar_files.hpp"

#include <array>

#include "layouts/polar_tables.hpp"
#include "polar/lamina.hpp"
#include "polar/material.hpp"
#include "polar/material_check.hpp"
#include "polar/off_axis.hpp"
#include "polar/property_report.hpp"
#include "polar/units.hpp"

namespace polar {

void write_polar_files(records::run& r) {
    using records::file_status;
    static const records::record_format fractions_in("(23X,3F5.2)");
    static const records::record_format fractions_heading("(' Three Fiber Volume Fractions: ',/,3(1X,F5.2))");

    // The input is opened first, so a missing "polar.dat" touches no output.
    r.open_or_stop(units::polar_dat, "polar.dat");
    r.open_or_stop(units::vf_dat, layouts::fractions_file, file_status::unknown);
    r.open_or_stop(units::polar_out, "polar.out", file_status::unknown);
    r.open_or_stop(units::e3_dat, layouts::e3_file, file_status::unknown);
    r.open_or_stop(units::g23_dat, layouts::g23_file, file_status::unknown);
    r.open_or_stop(units::nu32_dat, layouts::nu32_file, file_status::unknown);

    polar::material mat{};
    polar::read_material(r, mat);

    layouts::fractions_record fractions;
    std::array<float, polar::passes>& vfk = fractions.vfk;
    r.read(units::polar_dat, fractions_in, vfk[0], vfk[1], vfk[2]);
    // A material or volume fraction that makes no composite ends the run
    // here, as a malformed field would, before the first output record.
    polar::refuse_what_is_no_material(r, mat.m, vfk);
    r.write(units::polar_out, fractions_heading, vfk[0], vfk[1], vfk[2]);
    layouts::write_record(r, units::vf_dat, fractions);

    // Zeroed here, before the first pass; each pass fills its own column.
    polar::angle_tables tables{};
    for (int k = 1; k <= polar::passes; ++k) {
        const float vf = vfk[static_cast<std::size_t>(k - 1)];
        const polar::lamina properties = polar::lamina_properties(mat.m, vf);
        polar::write_property_report(r, mat, properties);
        polar::sweep(r, properties.s, vf, k, tables);
    }
    polar::write_plot_files(r, tables);
    r.stop_run();
}

}  // namespace polar
