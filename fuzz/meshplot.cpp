// meshplot on any "wnodes.out" and "wtopo.out", given as one input split at
// a byte 0x1E: reading, the check and its report, and the picture.
#include "fuzz/harness.hpp"
#include "meshplot/mesh_check.hpp"
#include "meshplot/mesh_files.hpp"
#include "meshplot/mesh_picture.hpp"
#include "plots/svg.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("meshplot", {"wnodes.out", "wtopo.out"}, {"mesh.svg"}, data, size, [](records::run& r) {
        auto nodes = meshplot::read_nodes(r, "wnodes.out");
        auto elements = meshplot::read_elements(r, "wtopo.out");
        const meshplot::node_table table(nodes);
        meshplot::mesh_check check = meshplot::check_mesh(table, elements);
        plots::write_file(r, "mesh.svg", meshplot::mesh_picture(table, elements, check));
        (void)meshplot::check_report(check, table, elements);
    });
    return 0;
}
