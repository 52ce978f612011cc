// Generated sections: a section is a sequence of layers, a layer a band of
// eight element rows. Each row lies between a top and a bottom node row,
// mostly with a centre row of nodes between them; only the first node number
// of each node row is read, the others follow by counting along the row.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "topo/element_record.hpp"
#include "records/run.hpp"

namespace topo {

// A corner of a pattern element: a node of the top row (t), the centre row
// (m), the bottom row (b), or the fan centre c = m + 1, plus an offset along
// that row, all taken at the start of the pass.
enum class node_row : std::uint8_t { t, m, b, c };
struct corner {
    node_row row;
    std::int32_t offset;
};
using element_pattern = std::array<corner, 3>;  // first, second, third node

extern const std::array<element_pattern, 4> centred_cell;
extern const std::array<element_pattern, 4> double_cell_a;
extern const std::array<element_pattern, 4> double_cell_b;
extern const std::array<element_pattern, 7> narrowing_fan;
extern const std::array<element_pattern, 7> widening_fan;

// What happens before an element row makes its passes.
enum class row_start : std::uint8_t {
    read_centre_and_bottom,           // row 1: imid, ibtm read; bottom_above = ibtm
    top_from_above_read_bottom,       // rows 2, 7: itop = bottom_above; ibtm read; bottom_above = ibtm
    top_from_above_read_centre_and_bottom,  // rows 3 to 6: itop = bottom_above; imid, ibtm read; bottom_above = ibtm
    top_from_above_read_centre_and_bottom_last,  // row 8: as rows 3 to 6, bottom_above left as it is
};

enum class row_width : std::uint8_t { fine, coarse };  // 2 nb passes or nb passes

struct element_row {
    row_start start;
    row_width passes;
    std::span<const element_pattern> pattern;
    std::int32_t add_iel;
    std::int32_t add_imid;
    std::int32_t add_itop;
    std::int32_t add_ibtm;
};

extern const std::array<element_row, 8> element_rows;

// The counters that run through the passes of a layer.
struct layer_counters {
    std::int32_t iel = 0;
    std::int32_t itop = 0;
    std::int32_t imid = 0;
    std::int32_t ibtm = 0;
};

// Forms the elements of one pass of `row` from the counters, in pattern
// order, then advances the counters by the row's increments. Returns how many
// elements were formed (4 or 7).
std::size_t form_pass(const element_row& row, layer_counters& k, std::array<element, 7>& out);

// Every variable of the section phase keeps its value from section to
// section and layer to layer.
struct section_state {
    std::int32_t nlay = 0;
    std::int32_t nb = 0;
    std::int32_t nb2 = 0;
    float ang = 0.0f;
    std::int32_t itype = 0;
    // The first node of the bottom node row as read for the row above, the
    // top node row of the next element row (ibtms).
    std::int32_t bottom_above = 0;
    layer_counters k;
};

// Reads one section (its header and its layers) and writes its elements.
void generate_section(records::run& r, element_writer& out, section_state& s);

}  // namespace topo
