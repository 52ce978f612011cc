#include "profileplot/profile_tables.hpp"

#include <string>

#include "layouts/stress_profiles.hpp"
#include "plots/table_scan.hpp"
#include "profileplot/units.hpp"

namespace profileplot {

profile_tables read_profile_tables(records::run& r) {
    const std::string file_name(layouts::stress_profiles_file);
    r.open_or_stop(units::wstressavg_out, file_name, records::file_status::old);
    // A record that ends before its last field would read as zero there and
    // draw it as a stress.
    plots::require_field(r, file_name, 41, 50, 1, 95, "SIGHZ");
    plots::require_field(r, file_name, 24, 33, 96, 101, "SIGZ");
    plots::require_field(r, file_name, 40, 49, 102, 127, "SAZT");

    // The record number each record shows is read and checked, not kept:
    // the position in the file decides.
    profile_tables t;
    for (std::size_t k = 0; k < t.zdh.size(); ++k) {
        layouts::zh_record rec;
        layouts::read_record(r, units::wstressavg_out, rec);
        t.sigz[k] = rec.esavgz;
        t.zdh[k] = rec.zdh;
        t.sighz[k] = rec.esavghz;
    }
    for (std::size_t k = 0; k < t.edge_ydb.size(); ++k) {
        layouts::six_point_record rec;
        layouts::read_record(r, units::wstressavg_out, rec);
        t.edge_ydb[k] = rec.ydb;
        t.edge_sigz[k] = rec.saz;
    }
    for (std::size_t k = 0; k < t.ydb.size(); ++k) {
        layouts::yb_record rec;
        layouts::read_record(r, units::wstressavg_out, rec);
        t.ydb[k] = rec.ydb;
        t.sazm[k] = rec.sazm;
        t.sazt[k] = rec.sazt;
    }
    return t;
}

}  // namespace profileplot
