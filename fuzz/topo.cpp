// topo on any "wtopo.dat".
#include "fuzz/harness.hpp"
#include "topo/element_table.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("topo", "wtopo.dat", {"wtopo.out"}, data, size, topo::write_element_table);
    return 0;
}
