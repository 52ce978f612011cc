#include "topo/groups.hpp"

#include <string>

#include "records/wrapping.hpp"
#include "topo/units.hpp"

namespace topo {

namespace {

// The connectivity line of a group with five or six elements per line.
const records::record_format& line_format(std::int32_t elements_per_line) {
    return elements_per_line == 5 ? layouts::five_per_line : layouts::six_per_line;
}

void read_ranges(records::run& r, group_state& g) {
    static const records::record_format pair("(1X,I4,1X,I4)");
    g.ranges.start(g.pairs);
    for (std::int32_t inds = 1; inds <= g.pairs; ++inds) {
        std::int32_t ond = 0;
        std::int32_t nnd = 0;
        r.read(units::wtopo_dat, pair, ond, nnd);
        g.ranges.set_pair(inds, ond, nnd);
    }
}

}  // namespace

void read_group(records::run& r, element_writer& out, group_state& g) {
    static const records::record_format first_element("(I4)");
    static const records::record_format pair_count("(I2)");
    static const records::record_format group_header("(I4,F6.1,2I3)");

    r.read(units::wtopo_dat, first_element, g.jj);
    r.read(units::wtopo_dat, pair_count, g.pairs);
    if (g.pairs > range_table::max_pairs)
        r.fail_at_record(units::wtopo_dat, std::to_string(g.pairs) + " renumbering pairs, at most " +
                                    std::to_string(range_table::max_pairs) + " fit");
    // A negative count reads no pair and renumbers nothing.
    bool renumbered = g.pairs > 0;
    if (renumbered) read_ranges(r, g);

    r.read(units::wtopo_dat, group_header, g.nel, g.ang, g.itype, g.elements_per_line);
    if (g.elements_per_line != 5 && g.elements_per_line != 6)
        r.fail_at_record(units::wtopo_dat,
                         std::to_string(g.elements_per_line) + " elements per line, a line holds 5 or 6");

    // One pass per line: (nel - 1) div elements_per_line + 1 of them, none
    // when nel < 1.
    std::int32_t passes = g.nel >= 1 ? (g.nel - 1) / g.elements_per_line + 1 : 0;
    for (std::int32_t pass = 1; pass <= passes; ++pass) {
        layouts::read_connectivity_line(r, units::wtopo_dat, line_format(g.elements_per_line), g.line);
        for (std::int32_t is = 1; is <= g.line.ns; ++is) {
            auto k = static_cast<std::size_t>(is);
            element e{g.jj, g.line.n1[k], g.line.n2[k], g.line.n3[k]};
            if (renumbered) {
                e.first = g.ranges.renumber(e.first);
                e.second = g.ranges.renumber(e.second);
                e.third = g.ranges.renumber(e.third);
            }
            out.write(e, g.ang, g.itype);
            g.jj = records::wrapping_add(g.jj, 1);
        }
    }
}

}  // namespace topo
