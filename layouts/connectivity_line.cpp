#include "layouts/connectivity_line.hpp"

#include <algorithm>
#include <array>
#include <span>
#include <string>

namespace layouts {

void read_connectivity_line(records::run& r, records::input_unit unit, const records::record_format& format, connectivity_line& line) {
    r.begin_read(unit, format);
    r.read_int(line.ns);
    if (line.ns > max_triples) {
        // The statement is ended first; neither layout has a slash after the
        // count, so the record named is still the line's own.
        r.end_read();
        r.fail_at_record(unit, std::to_string(line.ns) + " elements on a line, at most " + std::to_string(max_triples) +
                                   " fit");
    }
    std::array<std::int32_t, 3 * max_triples> nodes;
    auto count = static_cast<std::size_t>(std::max(line.ns, 0));
    r.read_ints(std::span(nodes).first(3 * count));
    for (std::size_t k = 1; k <= count; ++k) {
        line.n1[k] = nodes[3 * k - 3];
        line.n2[k] = nodes[3 * k - 2];
        line.n3[k] = nodes[3 * k - 1];
    }
    r.end_read();
}

}  // namespace layouts
