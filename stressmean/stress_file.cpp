// Reads the 2394 element stress records of "wstresses.out" and
// writes the Z/H profile, the six-point and the 26-point Y/B profiles to
// "wstressavg.out", 127 records in all.
#include "stressmean/stress_file.hpp"

#include <cstdint>
#include <memory>

#include "stressmean/profiles.hpp"
#include "stressmean/units.hpp"

namespace stressmean {

namespace {

// SIGZ and SIGHZ of every element, the two columns the profiles use.
struct stress_columns {
    stress_array sz{};
    stress_array shz{};
};

}  // namespace

void write_stress_profiles(records::run& r) {
    using records::file_status;
    static const records::record_format stress_format("(3E11.4)");
    static const records::record_format zh_format("(1X,' I=',I2,' SIGZ=',E10.3,' Z/H=',F6.4,' SIGHZ=',E10.3)");
    static const records::record_format six_point_format("(1X,' I=',I2,' Y/B=',F6.4,' SIGZ=',E10.3)");
    static const records::record_format yb_format("(1X,' I=',I2,' Y/B=',F6.4,' SAZM=',E10.3,' SAZT=',E10.3)");

    r.open_or_stop(units::wstresses_out, "wstresses.out", file_status::old);
    r.open_or_stop(units::wstressavg_out, "wstressavg.out", file_status::unknown);

    // Every record is read before anything is written, so a short or broken
    // input leaves the output without records.
    // The columns belong to this run alone (a caller may run the program
    // many times in one process). The first column of each record, SIGH, is
    // read and checked like the others but enters no profile.
    auto columns = std::make_unique<stress_columns>();
    for (std::int32_t k = 1; k <= stressmean::ne; ++k) {
        float sh = 0.0f;
        r.read(units::wstresses_out, stress_format, sh, columns->sz[k], columns->shz[k]);
    }
    const stressmean::stress_array& sz = columns->sz;
    const stressmean::stress_array& shz = columns->shz;

    for (const auto& rec : stressmean::zh_profile(sz, shz))
        r.write(units::wstressavg_out, zh_format, rec.i, rec.esavgz, rec.zdh, rec.esavghz);
    for (const auto& rec : stressmean::six_point_profile(sz))
        r.write(units::wstressavg_out, six_point_format, rec.j, rec.ydb, rec.saz);
    for (const auto& rec : stressmean::yb_profile(sz))
        r.write(units::wstressavg_out, yb_format, rec.i, rec.ydb, rec.sazm, rec.sazt);

    r.stop_run();
}

}  // namespace stressmean
