#include "polarplot/polar_tables.hpp"

namespace polarplot {

polar_tables read_polar_tables(records::run& r) {
    static const records::record_format vf_format("(3F5.2)");
    static const records::record_format plot_format("(1X,E11.4,3(1X,E11.4))");
    static const records::record_format nu_format("(1X,E11.4,3(1X,E11.4),3(1X,E11.4))");

    if (!r.open_unit(4, "vf.DAT", records::file_status::old) ||
        !r.open_unit(7, "e3.DAT", records::file_status::old) ||
        !r.open_unit(8, "g23.DAT", records::file_status::old) ||
        !r.open_unit(9, "nu32.DAT", records::file_status::old))
        r.stop_run();

    polar_tables t;
    r.read(4, vf_format, t.vf[0], t.vf[1], t.vf[2]);
    // The angle column of each file is read; e3.DAT's is the one drawn
    // (the three files are written in one loop over the same angles).
    float angle = 0.0f;
    for (std::size_t j = 0; j < angles; ++j) {
        r.read(7, plot_format, t.theta[j], t.e3[0][j], t.e3[1][j], t.e3[2][j]);
        r.read(8, plot_format, angle, t.g23[0][j], t.g23[1][j], t.g23[2][j]);
        r.read(9, nu_format, angle, t.posnu32[0][j], t.posnu32[1][j], t.posnu32[2][j], t.negnu32[0][j],
               t.negnu32[1][j], t.negnu32[2][j]);
    }
    return t;
}

}  // namespace polarplot
