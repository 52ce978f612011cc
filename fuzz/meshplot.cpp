// meshplot on any "wnodes.out" and "wtopo.out", given as one input split at
// a byte 0x1E: reading, the check and its report, and the picture.
#include "fuzz/harness.hpp"
#include "meshplot/mesh_check.hpp"
#include "meshplot/mesh_files.hpp"
#include "meshplot/mesh_picture.hpp"
#include "plots/svg.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("meshplot", {"wnodes.out", "wtopo.out"}, {"mesh.svg"}, data, size, [](records::run& r) {
        const meshplot::node_table table = meshplot::read_nodes(r, "wnodes.out");
        const meshplot::element_table elements = meshplot::read_elements(r, "wtopo.out");
        meshplot::mesh_check check = meshplot::check_mesh(table, elements);
        plots::write_file(r, "mesh.svg", meshplot::mesh_picture(table, elements, check));
        (void)meshplot::check_report(check, table, elements);
    });
    return 0;
}
