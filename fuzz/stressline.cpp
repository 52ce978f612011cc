// stressline on any "wnodes.out", "wtopo.out" and "wstresses.out", given as
// one input split at bytes 0x1E: reading the model and placing a line of
// points in it, across the example model's thickness.
#include "fuzz/harness.hpp"
#include "stressline/stress_line_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("stressline", {"wnodes.out", "wtopo.out", "wstresses.out"}, {"wstressline.out"}, data, size,
                         [](records::run& r) {
                             std::int32_t outside = 0;
                             stressline::write_stress_line(r, stressline::line{0.5f, 3.5f, 0.5f, 12.0f, 101}, outside);
                         });
    return 0;
}
