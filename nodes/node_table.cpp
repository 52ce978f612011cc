// Expands the compact node lines of "wnodes.dat" into the node table
// "wnodes.out", one record per node: number, three flags, h and v.
#include "nodes/node_table.hpp"

#include <array>
#include <cstdint>

#include "layouts/mesh_tables.hpp"
#include "records/wrapping.hpp"
#include "nodes/units.hpp"

namespace nodes {
namespace {

using records::file_status;

// One line record: v, the h of its first node, and up to nine segments,
// each a first node number and a spacing code. Slots are indexed from 1;
// slots beyond the segment count keep what an earlier line left in them.
struct node_line {
    float v = 0.0f;
    float h = 0.0f;
    std::int32_t segments = 0;  // the one-digit count after h (nincr)
    std::array<std::int32_t, 11> ind{};
    std::array<std::int32_t, 11> it{};
};

}  // namespace

void write_node_table(records::run& r) {
    static const records::record_format count_format("(I3)");
    static const records::record_format line_format("(F7.5,1X,F7.5,1X,I1,8(1X,I4,1X,I1))");

    r.open_or_stop(units::wnodes_dat, "wnodes.dat");
    r.open_or_stop(units::wnodes_out, layouts::node_table_file, file_status::unknown);

    // One statement per line record: the segment count just read decides how
    // many pairs follow; a ninth pair comes from a continuation record.
    auto read_line = [&r](node_line& line) {
        r.begin_read(units::wnodes_dat, line_format);
        r.read_real(line.v);
        r.read_real(line.h);
        r.read_int(line.segments);  // one digit: 0 to 9
        for (std::int32_t k = 1; k <= line.segments; ++k) {
            r.read_int(line.ind[k]);
            r.read_int(line.it[k]);
        }
        r.end_read();
    };

    std::int32_t nlines = 0;
    r.read(units::wnodes_dat, count_format, nlines);

    node_line line;  // the current line
    node_line next;  // the following line record, which closes it
    read_line(line);

    std::int32_t nlp1 = records::wrapping_add(nlines, 1);
    for (std::int32_t iline = 2; iline <= nlp1; ++iline) {
        read_line(next);
        float h = line.h;
        for (std::int32_t incr = 1; incr <= line.segments; ++incr) {
            std::int32_t ist = line.ind[incr];
            // A line's last segment ends just before the following line starts.
            std::int32_t last = records::wrapping_sub(incr == line.segments ? next.ind[1] : line.ind[incr + 1], 1);
            if (line.it[incr] == 0) line.it[incr] = 1;
            float delh = 1.0f / static_cast<float>(std::int32_t{1} << (line.it[incr] - 1));
            for (std::int64_t inode = ist; inode <= last; ++inode) {
                std::int32_t in = (h == 0.0f && line.v == 12.0f) ? 1 : 0;
                std::int32_t ih = h == 0.0f ? 1 : 0;
                std::int32_t iz = line.v == 12.0f ? 1 : 0;
                const layouts::node_record node{static_cast<std::int32_t>(inode), {in, ih, iz}, h, line.v};
                layouts::write_record(r, units::wnodes_out, node);
                h = h + delh;
            }
        }
        line.v = next.v;
        line.h = next.h;
        line.segments = next.segments;
        for (std::int32_t incr = 1; incr <= next.segments; ++incr) {
            line.ind[incr] = next.ind[incr];
            line.it[incr] = next.it[incr];
        }
    }
    r.stop_run();
}

}  // namespace nodes
