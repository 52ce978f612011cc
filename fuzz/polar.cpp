// polar on any "polar.dat"; a pause for a singular matrix goes on at once.
#include "fuzz/harness.hpp"
#include "polar/polar_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("polar", "polar.dat", {"vf.DAT", "polar.out", "e3.DAT", "g23.DAT", "nu32.DAT"}, data,
                         size, polar::write_polar_files);
    return 0;
}
