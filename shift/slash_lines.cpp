// Re-writes the connectivity lines of "old3.dat" as the slash lines
// of "new3.dat", adding 60 to every node number:
//
//     1   1   2   3     becomes     1/ 61. 62. 63/
//
// The element count on the first record decides how many lines are read,
// six elements to a line.
#include "shift/slash_lines.hpp"

#include <cstdint>

#include "layouts/connectivity_line.hpp"
#include "records/wrapping.hpp"
#include "shift/units.hpp"

namespace shift {
namespace {

// Added to every node number.
constexpr std::int32_t node_shift = 60;

}  // namespace

void write_slash_lines(records::run& r) {
    static const records::record_format count_format("(I4)");
    static const records::record_format slash_format("(I1,'/',6(I3,'.',I3,'.',I3,'/'))");

    r.open_or_stop(units::old3_dat, "old3.dat");
    r.open_or_stop(units::new3_dat, "new3.dat", records::file_status::unknown);

    std::int32_t nel = 0;
    r.read(units::old3_dat, count_format, nel);

    // nel fits in I4, so i never comes near overflow.
    layouts::connectivity_line line;
    auto& [ns, n1, n2, n3] = line;
    for (std::int32_t i = 1; i <= nel; i += layouts::max_triples) {
        layouts::read_connectivity_line(r, units::old3_dat, layouts::six_per_line, line);

        for (std::int32_t is = 1; is <= ns; ++is) {
            n1[is] = records::wrapping_add(n1[is], node_shift);
            n2[is] = records::wrapping_add(n2[is], node_shift);
            n3[is] = records::wrapping_add(n3[is], node_shift);
        }

        r.begin_write(units::new3_dat, slash_format);
        r.write_int(ns);
        for (std::int32_t is = 1; is <= ns; ++is) {
            r.write_int(n1[is]);
            r.write_int(n2[is]);
            r.write_int(n3[is]);
        }
        r.end_write();
    }
    r.stop_run();
}

}  // namespace shift
