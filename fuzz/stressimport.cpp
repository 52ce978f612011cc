// stressimport on any "mesh.dat" and "wtopo.out", given as one input split
// at a byte 0x1E.
#include "fuzz/harness.hpp"
#include "stressimport/solver_stresses.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("stressimport", {"mesh.dat", "wtopo.out"}, {"wstresses.out"}, data, size,
                         [](records::run& r) { stressimport::import_stresses(r, stressimport::default_results); });
    return 0;
}
