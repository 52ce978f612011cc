// shift on any "old3.dat".
#include "fuzz/harness.hpp"
#include "shift/slash_lines.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("shift", "old3.dat", {"new3.dat"}, data, size, shift::write_slash_lines);
    return 0;
}
