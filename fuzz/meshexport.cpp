// meshexport on any "wnodes.out", "wtopo.out" and "wstresses.out", given as
// one input split at bytes 0x1E: reading the tables and writing all three
// mesh files.
#include "fuzz/harness.hpp"
#include "meshexport/mesh_writers.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("meshexport", {"wnodes.out", "wtopo.out", "wstresses.out"},
                         {"mesh.vtu", "mesh.msh", "mesh.inp"}, data, size, meshexport::export_mesh);
    return 0;
}
