#include "profileplot/profile_tables.hpp"

#include <string>

#include "layouts/stress_profiles.hpp"
#include "profileplot/units.hpp"

namespace profileplot {

namespace {

// Reads `count` records of one profile, handing each to `keep` with its
// position in the profile.
template <typename Record, typename Keep>
void read_profile(records::run& r, std::size_t count, Keep keep) {
    for (std::size_t k = 0; k < count; ++k) {
        Record rec;
        layouts::read_table_record(r, units::wstressavg_out, rec);
        keep(k, rec);
    }
}

}  // namespace

profile_tables read_profile_tables(records::run& r) {
    const std::string file_name(layouts::stress_profiles_file);
    r.open_or_stop(units::wstressavg_out, file_name);
    // A table read back whole: a record that ends before its last field
    // would read as zero there and draw it as a stress.
    r.read_as_table(units::wstressavg_out);

    // The record number each record shows is read and checked, not kept:
    // the position in the file decides.
    profile_tables t;
    read_profile<layouts::zh_record>(r, t.zdh.size(), [&t](std::size_t k, const auto& rec) {
        t.sigz[k] = rec.esavgz;
        t.zdh[k] = rec.zdh;
        t.sighz[k] = rec.esavghz;
    });
    read_profile<layouts::six_point_record>(r, t.edge_ydb.size(), [&t](std::size_t k, const auto& rec) {
        t.edge_ydb[k] = rec.ydb;
        t.edge_sigz[k] = rec.saz;
    });
    read_profile<layouts::yb_record>(r, t.ydb.size(), [&t](std::size_t k, const auto& rec) {
        t.ydb[k] = rec.ydb;
        t.sazm[k] = rec.sazm;
        t.sazt[k] = rec.sazt;
    });
    return t;
}

}  // namespace profileplot
