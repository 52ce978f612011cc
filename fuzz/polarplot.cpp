// polarplot on any "vf.DAT", "e3.DAT", "g23.DAT" and "nu32.DAT", given as one
// input split at bytes 0x1E.
#include "fuzz/harness.hpp"
#include "plots/svg.hpp"
#include "polarplot/polar_picture.hpp"
#include "polarplot/plot_table_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::run_program_on("polarplot", {"vf.DAT", "e3.DAT", "g23.DAT", "nu32.DAT"}, {"polar.svg"}, data, size,
                         [](records::run& r) {
                             polarplot::polar_tables tables = polarplot::read_polar_tables(r);
                             plots::write_file(r, "polar.svg", polarplot::polar_picture(tables));
                         });
    return 0;
}
