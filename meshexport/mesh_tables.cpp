#include "meshexport/mesh_tables.hpp"

#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>

#include "records/output_editing.hpp"
#include "meshexport/units.hpp"

namespace meshexport {
namespace {

std::string number_text(std::int32_t n) { return std::to_string(n); }

// The exported files write coordinates as F12.6 and angles as F8.2, the
// digits of the tables; a value such a field cannot hold would be lost.
bool fits(float x, int width, int digits) {
    std::string field;
    records::put_fixed(field, x, width, digits);
    return std::isfinite(x) && field.find('*') == std::string::npos;
}

void read_nodes(records::run& r, mesh& m) {
    r.open_or_stop(units::wnodes_out, layouts::node_table_file, records::file_status::old);
    m.node_position.assign(max_number + 1, 0);
    while (r.has_record(units::wnodes_out)) {
        node_record n;
        layouts::read_record(r, units::wnodes_out, n);
        if (n.number < 1) r.fail_at_record(units::wnodes_out,
                                           "node number " + number_text(n.number) + " is not positive");
        std::int32_t& position = m.node_position[static_cast<std::size_t>(n.number)];
        if (position != 0)
            r.fail_at_record(units::wnodes_out, "node " + number_text(n.number) + " is given twice (first in record " +
                                             number_text(position) + ")");
        if (!fits(n.h, 12, 6) || !fits(n.v, 12, 6))
            r.fail_at_record(units::wnodes_out,
                             "node " + number_text(n.number) + " has a coordinate F12.6 cannot hold");
        m.nodes.push_back(n);
        position = static_cast<std::int32_t>(m.nodes.size());
    }
}

void read_elements(records::run& r, mesh& m) {
    r.open_or_stop(units::wtopo_out, layouts::element_table_file, records::file_status::old);
    std::vector<std::int32_t> element_position(max_number + 1, 0);
    while (r.has_record(units::wtopo_out)) {
        element_record e;
        layouts::read_record(r, units::wtopo_out, e);
        std::string name = "element " + number_text(e.number);
        if (e.number < 1) r.fail_at_record(units::wtopo_out,
                                           "element number " + number_text(e.number) + " is not positive");
        std::int32_t& position = element_position[static_cast<std::size_t>(e.number)];
        if (position != 0)
            r.fail_at_record(units::wtopo_out,
                             name + " is given twice (first in record " + number_text(position) + ")");
        if (!fits(e.angle, 8, 2)) r.fail_at_record(units::wtopo_out, name + " has an angle F8.2 cannot hold");
        std::array<const node_record*, 3> corner{};
        for (std::size_t k = 0; k < 3; ++k) {
            std::int32_t node = e.nodes[k];
            std::int32_t at = node >= 1 ? m.node_position[static_cast<std::size_t>(node)] : 0;
            if (at == 0)
                r.fail_at_record(units::wtopo_out,
                                 name + " names node " + number_text(node) + ", which wnodes.out does not hold");
            corner[k] = &m.nodes[static_cast<std::size_t>(at - 1)];
        }
        // Twice the signed area, v upwards: negative when the corners run
        // clockwise, the order topo writes; such an element is turned round.
        double area = (double{corner[1]->h} - corner[0]->h) * (double{corner[2]->v} - corner[0]->v) -
                      (double{corner[2]->h} - corner[0]->h) * (double{corner[1]->v} - corner[0]->v);
        if (area == 0.0) r.fail_at_record(units::wtopo_out, name + " encloses no area");
        if (area < 0.0) std::swap(e.nodes[1], e.nodes[2]);
        m.elements.push_back(e);
        position = static_cast<std::int32_t>(m.elements.size());
    }
}

void read_stresses(records::run& r, mesh& m) {
    std::error_code error;
    if (!std::filesystem::exists(layouts::element_stresses_file, error)) return;
    r.open_or_stop(units::wstresses_out, layouts::element_stresses_file, records::file_status::old);
    m.stresses.resize(m.elements.size());
    for (stress_record& s : m.stresses) layouts::read_record(r, units::wstresses_out, s);
}

}  // namespace

mesh read_mesh(records::run& r) {
    mesh m;
    read_nodes(r, m);
    read_elements(r, m);
    read_stresses(r, m);
    return m;
}

}  // namespace meshexport
