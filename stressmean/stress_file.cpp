// Reads the 2394 element stress records of "wstresses.out" and
// writes the Z/H profile, the six-point and the 26-point Y/B profiles to
// "wstressavg.out", 127 records in all.
#include "stressmean/stress_file.hpp"

#include <cstdint>
#include <memory>

#include "layouts/element_stresses.hpp"
#include "layouts/stress_profiles.hpp"
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
    r.open_or_stop(units::wstresses_out, layouts::element_stresses_file);
    r.open_or_stop(units::wstressavg_out, layouts::stress_profiles_file, file_status::unknown);

    // Every record is read before anything is written, so a short or broken
    // input leaves the output without records.
    // The columns belong to this run alone (a caller may run the program
    // many times in one process). The first column of each record, SIGH, is
    // read and checked like the others but enters no profile.
    auto columns = std::make_unique<stress_columns>();
    for (std::int32_t k = 1; k <= stressmean::ne; ++k) {
        layouts::stress_record s;
        layouts::read_record(r, units::wstresses_out, s);
        columns->sz[k] = s.sz;
        columns->shz[k] = s.shz;
    }
    const stressmean::stress_array& sz = columns->sz;
    const stressmean::stress_array& shz = columns->shz;

    for (const auto& rec : stressmean::zh_profile(sz, shz)) layouts::write_record(r, units::wstressavg_out, rec);
    for (const auto& rec : stressmean::six_point_profile(sz)) layouts::write_record(r, units::wstressavg_out, rec);
    for (const auto& rec : stressmean::yb_profile(sz)) layouts::write_record(r, units::wstressavg_out, rec);

    r.stop_run();
}

}  // namespace stressmean
