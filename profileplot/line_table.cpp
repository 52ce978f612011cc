#include "profileplot/line_table.hpp"

#include <string>

#include "layouts/stress_line.hpp"
#include "profileplot/units.hpp"

namespace profileplot {

line_table read_line_table(records::run& r) {
    r.open_or_stop(units::wstressline_out, layouts::stress_line_file);
    r.read_as_table(units::wstressline_out);
    line_table t;
    while (r.has_record(units::wstressline_out)) {
        layouts::line_point_record p;
        layouts::read_table_record(r, units::wstressline_out, p);
        // The numbers place the points on the line, and their gaps are the
        // points outside the mesh: they must go upwards.
        std::int32_t before = t.numbers.empty() ? 0 : t.numbers.back();
        if (p.number <= before)
            r.fail_at_record(units::wstressline_out,
                             "point " + std::to_string(p.number) +
                                 (before == 0 ? " is not positive" : " does not follow point " + std::to_string(before)));
        t.numbers.push_back(p.number);
        t.distance.push_back(p.distance);
        t.h.push_back(p.h);
        t.v.push_back(p.v);
        t.sigh.push_back(p.sh);
        t.sigz.push_back(p.sz);
        t.sighz.push_back(p.shz);
    }
    return t;
}

}  // namespace profileplot
