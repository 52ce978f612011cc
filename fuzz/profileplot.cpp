// profileplot on any "wstressavg.out".
#include "fuzz/harness.hpp"
#include "plots/svg.hpp"
#include "profileplot/profile_picture.hpp"
#include "profileplot/profile_tables.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("profileplot", "wstressavg.out", {"profiles.svg"}, data, size, [](records::run& r) {
        profileplot::profile_tables tables = profileplot::read_profile_tables(r);
        plots::write_file(r, "profiles.svg", profileplot::profile_picture(tables));
    });
    return 0;
}
