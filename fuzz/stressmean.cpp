// stressmean on any "wstresses.out".
#include "fuzz/harness.hpp"
#include "stressmean/stress_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("stressmean", "wstresses.out", {"wstressavg.out"}, data, size,
                         stressmean::write_stress_profiles);
    return 0;
}
