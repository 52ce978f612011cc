#include "topo/sections.hpp"

#include "records/wrapping.hpp"
#include "topo/units.hpp"

namespace topo {

namespace {

constexpr corner t{node_row::t, 0}, t1{node_row::t, 1}, t2{node_row::t, 2};
constexpr corner m{node_row::m, 0}, m2{node_row::m, 2};
constexpr corner b{node_row::b, 0}, b1{node_row::b, 1}, b2{node_row::b, 2};
constexpr corner c{node_row::c, 0};

}  // namespace

// Each line is one element in writing order: first, second, third node.
// With the top row drawn above the bottom row and every row numbered left to
// right, all of them turn clockwise.

// Rows 1, 4, 5, 8: the cell t, t+1 over b, b+1 split at its centre node m.
const std::array<element_pattern, 4> centred_cell{{
    {m, t, t1},
    {m, b, t},
    {m, b1, b},
    {m, t1, b1},
}};

// Row 2: the double cell t, t+1, t+2 over b, b+1, b+2, no centre node.
const std::array<element_pattern, 4> double_cell_a{{
    {b, t, t1},
    {b, t1, b1},
    {b1, t1, b2},
    {t1, t2, b2},
}};

// Row 7: the same cell split the other way.
const std::array<element_pattern, 4> double_cell_b{{
    {b, t, b1},
    {t, t1, b1},
    {t1, t2, b1},
    {b1, t2, b2},
}};

// Row 3: t, t+1, t+2 over b, b+1, side nodes m and m+2, fan centre c.
const std::array<element_pattern, 7> narrowing_fan{{
    {c, t1, t2},
    {c, t, t1},
    {c, m, t},
    {c, b, m},
    {c, b1, b},
    {c, m2, b1},
    {c, t2, m2},
}};

// Row 6: t, t+1 over b, b+1, b+2, side nodes m and m+2, fan centre c.
const std::array<element_pattern, 7> widening_fan{{
    {c, t, t1},
    {c, m, t},
    {c, b, m},
    {c, b1, b},
    {c, b2, b1},
    {c, m2, b2},
    {c, t1, m2},
}};

// The eight element rows of a layer, top to bottom.
//   start                                           passes             pattern        iel imid itop ibtm
const std::array<element_row, 8> element_rows{{
    {row_start::read_centre_and_bottom,                 row_width::fine,   centred_cell,  4, 1, 1, 1},
    {row_start::top_from_above_read_bottom,             row_width::coarse, double_cell_a, 4, 0, 2, 2},
    {row_start::top_from_above_read_centre_and_bottom,  row_width::coarse, narrowing_fan, 7, 2, 2, 1},
    {row_start::top_from_above_read_centre_and_bottom,  row_width::coarse, centred_cell,  4, 1, 1, 1},
    {row_start::top_from_above_read_centre_and_bottom,  row_width::coarse, centred_cell,  4, 1, 1, 1},
    {row_start::top_from_above_read_centre_and_bottom,  row_width::coarse, widening_fan,  7, 2, 1, 2},
    {row_start::top_from_above_read_bottom,             row_width::coarse, double_cell_b, 4, 0, 2, 2},
    {row_start::top_from_above_read_centre_and_bottom_last, row_width::fine, centred_cell, 4, 1, 1, 1},
}};

std::size_t form_pass(const element_row& row, layer_counters& k, std::array<element, 7>& out) {
    using records::wrapping_add;
    auto node = [&k](corner at) {
        std::int32_t start = 0;
        switch (at.row) {
        case node_row::t: start = k.itop; break;
        case node_row::m: start = k.imid; break;
        case node_row::b: start = k.ibtm; break;
        case node_row::c: start = wrapping_add(k.imid, 1); break;
        }
        return wrapping_add(start, at.offset);
    };
    std::size_t n = 0;
    for (const element_pattern& p : row.pattern) {
        if (n == out.size()) break;
        element& e = out[n];
        e.number = wrapping_add(k.iel, static_cast<std::int32_t>(n));
        e.first = node(p[0]);
        e.second = node(p[1]);
        e.third = node(p[2]);
        ++n;
    }
    k.iel = wrapping_add(k.iel, row.add_iel);
    k.imid = wrapping_add(k.imid, row.add_imid);
    k.itop = wrapping_add(k.itop, row.add_itop);
    k.ibtm = wrapping_add(k.ibtm, row.add_ibtm);
    return n;
}

namespace {

void start_row(const element_row& row, records::run& r, section_state& s) {
    static const records::record_format centre_and_bottom("(I4,/,I4)");
    static const records::record_format bottom("(I4)");
    // Every row after the first takes as its top row the bottom row of the
    // row before it, from the start number read for that bottom row.
    if (row.start != row_start::read_centre_and_bottom) s.k.itop = s.bottom_above;
    if (row.start == row_start::top_from_above_read_bottom) r.read(units::wtopo_dat, bottom, s.k.ibtm);
    else r.read(units::wtopo_dat, centre_and_bottom, s.k.imid, s.k.ibtm);
    if (row.start != row_start::top_from_above_read_centre_and_bottom_last) s.bottom_above = s.k.ibtm;
}

}  // namespace

void generate_section(records::run& r, element_writer& out, section_state& s) {
    static const records::record_format header("(I1,1X,I2,1X,I4)");
    static const records::record_format layer("(F5.1,I3,/,I4)");

    r.read(units::wtopo_dat, header, s.nlay, s.nb, s.k.iel);
    s.nb2 = records::wrapping_mul(2, s.nb);
    std::array<element, 7> formed;
    for (std::int32_t ilay = 1; ilay <= s.nlay; ++ilay) {
        r.read(units::wtopo_dat, layer, s.ang, s.itype, s.k.itop);
        for (const element_row& row : element_rows) {
            start_row(row, r, s);
            std::int32_t passes = row.passes == row_width::fine ? s.nb2 : s.nb;
            for (std::int32_t pass = 1; pass <= passes; ++pass) {
                std::size_t n = form_pass(row, s.k, formed);
                for (std::size_t e = 0; e < n; ++e) out.write(formed[e], s.ang, s.itype);
            }
        }
    }
}

}  // namespace topo
