#include "layouts/connectivity_line.hpp"

#include <string>

namespace layouts {

void read_connectivity_line(records::run& r, int unit, const records::record_format& format, connectivity_line& line) {
    r.begin_read(unit, format);
    r.read_int(line.ns);
    if (line.ns > max_triples) {
        // The statement is ended first; neither layout has a slash after the
        // count, so the record named is still the line's own.
        r.end_read();
        r.fail_at_record(unit, std::to_string(line.ns) + " elements on a line, at most " + std::to_string(max_triples) +
                                   " fit");
    }
    for (std::int32_t is = 1; is <= line.ns; ++is) {
        auto k = static_cast<std::size_t>(is);
        r.read_int(line.n1[k]);
        r.read_int(line.n2[k]);
        r.read_int(line.n3[k]);
    }
    r.end_read();
}

}  // namespace layouts
