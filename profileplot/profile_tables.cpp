#include "profileplot/profile_tables.hpp"

#include "plots/table_scan.hpp"
#include "profileplot/units.hpp"

namespace profileplot {

profile_tables read_profile_tables(records::run& r) {
    static const records::record_format height_format("(1X,' I=',I2,' SIGZ=',E10.3,' Z/H=',F6.4,' SIGHZ=',E10.3)");
    static const records::record_format edge_format("(1X,' I=',I2,' Y/B=',F6.4,' SIGZ=',E10.3)");
    static const records::record_format width_format("(1X,' I=',I2,' Y/B=',F6.4,' SAZM=',E10.3,' SAZT=',E10.3)");

    r.open_or_stop(units::wstressavg_out, "wstressavg.out", records::file_status::old);
    // A record that ends before its last field would read as zero there and
    // draw it as a stress.
    plots::require_field(r, "wstressavg.out", 41, 50, 1, 95, "SIGHZ");
    plots::require_field(r, "wstressavg.out", 24, 33, 96, 101, "SIGZ");
    plots::require_field(r, "wstressavg.out", 40, 49, 102, 127, "SAZT");

    profile_tables t;
    std::int32_t i = 0;  // the record number the file shows; the position in the file decides
    for (std::size_t k = 0; k < t.zdh.size(); ++k)
        r.read(units::wstressavg_out, height_format, i, t.sigz[k], t.zdh[k], t.sighz[k]);
    for (std::size_t k = 0; k < t.edge_ydb.size(); ++k)
        r.read(units::wstressavg_out, edge_format, i, t.edge_ydb[k], t.edge_sigz[k]);
    for (std::size_t k = 0; k < t.ydb.size(); ++k)
        r.read(units::wstressavg_out, width_format, i, t.ydb[k], t.sazm[k], t.sazt[k]);
    return t;
}

}  // namespace profileplot
