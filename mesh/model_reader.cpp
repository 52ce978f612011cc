#include "mesh/model_reader.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>

#include "mesh/record_lines.hpp"
#include "mesh/table_reading.hpp"
#include "mesh/triangle_geometry.hpp"
#include "records/output_editing.hpp"

namespace mesh_model {
namespace {

std::string number_text(std::int32_t n) { return std::to_string(n); }

// The exported files write coordinates as F12.6 and angles as F8.2, the
// digits of the tables; a value such a field cannot hold would be lost.
bool fits(float x, int width, int digits) {
    // Below 10^(width - digits - 3) in magnitude, the rounded value and its
    // sign always fit: no need to edit it.
    static constexpr float always_fits[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f};
    int integer_digits = width - digits - 3;
    if (integer_digits >= 0 && integer_digits < 10 && std::fabs(x) < always_fits[integer_digits]) return true;
    std::string field;
    records::put_fixed(field, x, width, digits);
    return std::isfinite(x) && field.find('*') == std::string::npos;
}

std::string plural(std::size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// A record's number, which the tools need positive and no larger than a
// model's numbers go.
void check_number(records::run& r, records::input_unit unit, const char* what, std::int32_t number) {
    if (number < 1) r.fail_at_record(unit, std::string(what) + " number " + number_text(number) + " is not positive");
    if (number > max_number)
        r.fail_at_record(unit, std::string(what) + " number " + number_text(number) + " is above " +
                                   number_text(max_number));
}

// A number given twice, and the line of the record that had it first.
[[noreturn]] void fail_twice(records::run& r, records::input_unit unit, const char* what, std::int32_t number, long first_line) {
    r.fail_at_record(unit, std::string(what) + " " + number_text(number) + " is given twice (first in record " +
                               std::to_string(first_line) + ")");
}

// A fault of the element of that number in the record just read.
[[noreturn]] void fail_element(records::run& r, std::int32_t number, const std::string& what) {
    r.fail_at_record(units::wtopo_out, "element " + number_text(number) + " " + what);
}

void read_nodes(records::run& r, mesh& m) {
    record_lines lines;
    auto take = [&](const node_record& n, long line) {
        std::size_t position = m.nodes.size();
        lines.add(position, line);
        check_number(r, units::wnodes_out, "node", n.number);
        if (std::int32_t first = m.node_position.put(n.number, position); first != 0)
            fail_twice(r, units::wnodes_out, "node", n.number, lines.line(static_cast<std::size_t>(first - 1)));
        if (!fits(n.h, 12, 6) || !fits(n.v, 12, 6))
            r.fail_at_record(units::wnodes_out,
                             "node " + number_text(n.number) + " has a coordinate F12.6 cannot hold");
        m.nodes.push_back(n);
    };
    read_table<node_record>(r, units::wnodes_out, layouts::node_table_file, take);
}

void read_elements(records::run& r, mesh& m) {
    // Only whether a number came before: the record that had it is looked
    // for when it did, which ends the run.
    number_set numbers;
    record_lines lines;
    auto take = [&](element_record e, long line) {
        lines.add(m.elements.size(), line);
        check_number(r, units::wtopo_out, "element", e.number);
        if (!numbers.insert(e.number)) {
            auto first = std::find_if(m.elements.begin(), m.elements.end(),
                                      [&](const element_record& f) { return f.number == e.number; });
            fail_twice(r, units::wtopo_out, "element", e.number,
                       lines.line(static_cast<std::size_t>(first - m.elements.begin())));
        }
        if (!fits(e.angle, 8, 2)) fail_element(r, e.number, "has an angle F8.2 cannot hold");
        corner_points p;
        for (std::size_t k = 0; k < 3; ++k) {
            std::int32_t at = m.node_position.find(e.nodes[k]);
            if (at == 0)
                fail_element(r, e.number, "names node " + number_text(e.nodes[k]) + ", which wnodes.out does not hold");
            const node_record& n = m.nodes[static_cast<std::size_t>(at - 1)];
            p.h[k] = n.h;
            p.v[k] = n.v;
        }
        // topo writes its elements clockwise; the tools want them the other
        // way round.
        switch (order_of(p)) {
        case corner_order::no_area: fail_element(r, e.number, "encloses no area");
        case corner_order::clockwise: std::swap(e.nodes[1], e.nodes[2]); break;
        case corner_order::anticlockwise: break;
        }
        m.elements.push_back(e);
    };
    read_table<element_record>(r, units::wtopo_out, layouts::element_table_file, take);
}

// The stresses are read to the end of their table: one record per element,
// so a table of another mesh (another count of records) is refused, and only
// the first records, as many as there are elements, are kept meanwhile.
void read_stresses(records::run& r, mesh& m) {
    std::error_code error;
    if (!std::filesystem::exists(layouts::element_stresses_file, error)) return;
    m.stresses.reserve(m.elements.size());
    std::size_t records = 0;
    read_table<stress_record>(r, units::wstresses_out, layouts::element_stresses_file,
                              [&](const stress_record& s, long) {
                                  if (records++ < m.elements.size()) m.stresses.push_back(s);
                              });
    if (records != m.elements.size())
        r.fail(std::string(layouts::element_stresses_file) + " has " + plural(records, "record") + " and " +
               std::string(layouts::element_table_file) + " " + plural(m.elements.size(), "element") +
               "; these are not this mesh's stresses");
}

}  // namespace

mesh read_mesh(records::run& r) {
    mesh m;
    // Room for as many records as each table's file can hold, taken at
    // once; the pages of the element and stress tables are handed out
    // while the nodes are read.
    reserve_for_table<node_record>(m.nodes, layouts::node_table_file, static_cast<std::size_t>(max_number));
    reserve_for_table<element_record>(m.elements, layouts::element_table_file, static_cast<std::size_t>(max_number));
    std::error_code error;
    if (std::filesystem::exists(layouts::element_stresses_file, error))
        reserve_for_table<stress_record>(m.stresses, layouts::element_stresses_file, m.elements.capacity());
    {
        pages_ahead ahead({{m.elements.data(), m.elements.capacity() * sizeof(element_record)},
                           {m.stresses.data(), m.stresses.capacity() * sizeof(stress_record)}});
        read_nodes(r, m);
        read_elements(r, m);
    }
    read_stresses(r, m);
    return m;
}

}  // namespace mesh_model
