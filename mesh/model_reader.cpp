#include "mesh/model_reader.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <string>
#include <utility>

#include "records/output_editing.hpp"
#include "records/tables.hpp"

namespace mesh_model {
namespace {

std::string number_text(std::int32_t n) { return std::to_string(n); }

// The exported files write coordinates as F12.6 and angles as F8.2, the
// digits of the tables; a value such a field cannot hold would be lost.
bool fits(float x, int width, int digits) {
    std::string field;
    records::put_fixed(field, x, width, digits);
    return std::isfinite(x) && field.find('*') == std::string::npos;
}

std::string plural(std::size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// The line in its file of each record read, by the record's position in
// table order: position + 1 and the blank lines before it, kept only where
// that count changes, so a table without blank lines holds nothing here.
class record_lines {
public:
    void add(std::size_t position, long line) {
        long blanks = line - static_cast<long>(position) - 1;
        if (blanks != (steps_.empty() ? 0 : steps_.back().blanks)) steps_.push_back({position, blanks});
    }
    long line(std::size_t position) const {
        auto after = std::upper_bound(steps_.begin(), steps_.end(), position,
                                      [](std::size_t p, const step& s) { return p < s.from; });
        return static_cast<long>(position) + 1 + (after == steps_.begin() ? 0 : std::prev(after)->blanks);
    }

private:
    struct step {
        std::size_t from;
        long blanks;
    };
    std::vector<step> steps_;
};

// Room for every record a table of this size can hold: each record fills
// its layout's columns and a line feed (a shorter one is refused), and holds
// a number used once, so there are at most that many and max_number. Taken
// at once, the table does not pass through the doubling steps of a vector
// that grows, which would hold the old and the new copy for a moment.
template <typename Record>
void reserve_for_file(std::vector<Record>& records, std::string_view file) {
    static const std::uintmax_t record_bytes = records::last_field(Record::format).to + 1;
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(file), error);
    if (!error)
        records.reserve(static_cast<std::size_t>(
            std::min<std::uintmax_t>(size / record_bytes, static_cast<std::uintmax_t>(max_number))));
}

// The entry of a number in a table from number to position + 1, grown to
// hold it: a table is as long as the largest number given so far, so a
// small model, or a table cut off at its first record, takes little memory.
std::int32_t& entry(std::vector<std::int32_t>& table, std::int32_t number) {
    auto n = static_cast<std::size_t>(number);
    if (n >= table.size())
        table.resize(std::min(std::max(n + 1, 2 * table.size()), static_cast<std::size_t>(max_number) + 1), 0);
    return table[n];
}

// Where a number stands in such a table; 0 when it was not given.
std::int32_t find(const std::vector<std::int32_t>& table, std::int32_t number) {
    return number >= 1 && static_cast<std::size_t>(number) < table.size() ? table[static_cast<std::size_t>(number)]
                                                                           : 0;
}

void read_nodes(records::run& r, mesh& m) {
    r.open_or_stop(units::wnodes_out, layouts::node_table_file, records::file_status::old);
    r.read_as_table(units::wnodes_out);
    reserve_for_file(m.nodes, layouts::node_table_file);
    record_lines lines;
    while (r.has_record(units::wnodes_out)) {
        node_record n;
        layouts::read_table_record(r, units::wnodes_out, n);
        if (n.number < 1) r.fail_at_record(units::wnodes_out,
                                           "node number " + number_text(n.number) + " is not positive");
        if (n.number > max_number)
            r.fail_at_record(units::wnodes_out, "node number " + number_text(n.number) + " is above " +
                                                    number_text(max_number));
        std::int32_t& position = entry(m.node_position, n.number);
        if (position != 0)
            r.fail_at_record(units::wnodes_out, "node " + number_text(n.number) + " is given twice (first in record " +
                                             std::to_string(lines.line(static_cast<std::size_t>(position - 1))) + ")");
        if (!fits(n.h, 12, 6) || !fits(n.v, 12, 6))
            r.fail_at_record(units::wnodes_out,
                             "node " + number_text(n.number) + " has a coordinate F12.6 cannot hold");
        lines.add(m.nodes.size(), r.record_number(units::wnodes_out));
        m.nodes.push_back(n);
        position = static_cast<std::int32_t>(m.nodes.size());
    }
}

void read_elements(records::run& r, mesh& m) {
    r.open_or_stop(units::wtopo_out, layouts::element_table_file, records::file_status::old);
    r.read_as_table(units::wtopo_out);
    reserve_for_file(m.elements, layouts::element_table_file);
    std::vector<std::int32_t> element_position;
    record_lines lines;
    while (r.has_record(units::wtopo_out)) {
        element_record e;
        layouts::read_table_record(r, units::wtopo_out, e);
        std::string name = "element " + number_text(e.number);
        if (e.number < 1) r.fail_at_record(units::wtopo_out,
                                           "element number " + number_text(e.number) + " is not positive");
        if (e.number > max_number)
            r.fail_at_record(units::wtopo_out, "element number " + number_text(e.number) + " is above " +
                                                   number_text(max_number));
        std::int32_t& position = entry(element_position, e.number);
        if (position != 0)
            r.fail_at_record(units::wtopo_out, name + " is given twice (first in record " +
                                                   std::to_string(lines.line(static_cast<std::size_t>(position - 1))) +
                                                   ")");
        if (!fits(e.angle, 8, 2)) r.fail_at_record(units::wtopo_out, name + " has an angle F8.2 cannot hold");
        std::array<const node_record*, 3> corner{};
        for (std::size_t k = 0; k < 3; ++k) {
            std::int32_t node = e.nodes[k];
            std::int32_t at = find(m.node_position, node);
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
        lines.add(m.elements.size(), r.record_number(units::wtopo_out));
        m.elements.push_back(e);
        position = static_cast<std::int32_t>(m.elements.size());
    }
}

// The stresses are read to the end of their table: one record per element,
// so a table of another mesh (another count of records) is refused, and only
// the first records, as many as there are elements, are kept meanwhile.
void read_stresses(records::run& r, mesh& m) {
    std::error_code error;
    if (!std::filesystem::exists(layouts::element_stresses_file, error)) return;
    r.open_or_stop(units::wstresses_out, layouts::element_stresses_file, records::file_status::old);
    r.read_as_table(units::wstresses_out);
    m.stresses.reserve(m.elements.size());
    std::size_t records = 0;
    while (r.has_record(units::wstresses_out)) {
        stress_record s;
        layouts::read_table_record(r, units::wstresses_out, s);
        if (records++ < m.elements.size()) m.stresses.push_back(s);
    }
    if (records != m.elements.size())
        r.fail(std::string(layouts::element_stresses_file) + " has " + plural(records, "record") + " and " +
               std::string(layouts::element_table_file) + " " + plural(m.elements.size(), "element") +
               "; these are not this mesh's stresses");
}

}  // namespace

mesh read_mesh(records::run& r) {
    mesh m;
    read_nodes(r, m);
    read_elements(r, m);
    read_stresses(r, m);
    return m;
}

}  // namespace mesh_model
