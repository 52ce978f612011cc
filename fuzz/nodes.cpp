// nodes on any "wnodes.dat".
#include "fuzz/harness.hpp"
#include "nodes/node_table.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("nodes", "wnodes.dat", {"wnodes.out"}, data, size, nodes::write_node_table);
    return 0;
}
