#include "meshexport/mesh_writers.hpp"

#include "meshexport/units.hpp"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

namespace meshexport {
namespace {

using records::record_format;

// A line of text in which each '#' stands for a number written with exactly
// its digits: line(r, u, "<Piece NumberOfPoints=\"#\">", {72}).
void line(records::run& r, int unit, std::string_view pattern, std::initializer_list<std::int32_t> numbers = {}) {
    std::string text = "('";
    auto number = numbers.begin();
    for (char c : pattern) {
        if (c == '#' && number != numbers.end()) {
            text += "',I" + std::to_string(std::to_string(*number++).size()) + ",'";
        } else {
            if (c == '\'') text += '\'';
            text += c;
        }
    }
    text += "')";
    record_format format(text);
    r.begin_write(unit, format);
    for (std::int32_t n : numbers) r.write_int(n);
    r.end_write();
}

std::int32_t count(std::size_t n) { return static_cast<std::int32_t>(n); }

// The type codes of the model, ascending, each once.
std::vector<std::int32_t> type_codes(const mesh& m) {
    std::vector<std::int32_t> codes;
    for (const element_record& e : m.elements) codes.push_back(e.type);
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

// Positions of the elements, grouped by type code in the order of
// type_codes(), table order within a group.
std::vector<std::uint32_t> by_type(const mesh& m) {
    std::vector<std::uint32_t> order(m.elements.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&m](std::uint32_t a, std::uint32_t b) { return m.elements[a].type < m.elements[b].type; });
    return order;
}

std::int32_t node_index(const mesh& m, std::int32_t node) {
    return m.node_position[static_cast<std::size_t>(node)] - 1;
}

const record_format int_value("(I14)");
const record_format real_value("(F14.2)");
const record_format stress_value("(E14.4)");
const record_format point_value("(6X,F12.6,F13.6,' 0')");

// One value a line: value(i) for i = 0 to n - 1.
template <typename Get>
void data_array(records::run& r, int unit, std::string_view type, std::string_view name,
                const record_format& format, std::size_t n, Get value) {
    line(r, unit, "        <DataArray type=\"" + std::string(type) + "\" Name=\"" + std::string(name) +
                      "\" format=\"ascii\">");
    for (std::size_t i = 0; i < n; ++i) r.write(unit, format, value(i));
    line(r, unit, "        </DataArray>");
}

}  // namespace

void write_vtu(records::run& r, int unit, const mesh& m) {
    static const record_format triangle("(6X,3I8)");
    std::size_t np = m.nodes.size(), nc = m.elements.size();
    line(r, unit, "<?xml version=\"1.0\"?>");
    line(r, unit, "<VTKFile type=\"UnstructuredGrid\" version=\"1.0\" byte_order=\"LittleEndian\">");
    line(r, unit, "  <UnstructuredGrid>");
    line(r, unit, "    <Piece NumberOfPoints=\"#\" NumberOfCells=\"#\">", {count(np), count(nc)});
    line(r, unit, "      <PointData>");
    data_array(r, unit, "Int32", "node", int_value, np, [&](std::size_t i) { return m.nodes[i].number; });
    static const char* const flag_names[3] = {"H0V12", "H0", "V12"};
    for (std::size_t f = 0; f < 3; ++f)
        data_array(r, unit, "Int32", flag_names[f], int_value, np, [&](std::size_t i) { return m.nodes[i].flags[f]; });
    line(r, unit, "      </PointData>");
    line(r, unit, "      <CellData>");
    data_array(r, unit, "Int32", "element", int_value, nc, [&](std::size_t i) { return m.elements[i].number; });
    data_array(r, unit, "Float32", "angle", real_value, nc, [&](std::size_t i) { return m.elements[i].angle; });
    data_array(r, unit, "Int32", "type", int_value, nc, [&](std::size_t i) { return m.elements[i].type; });
    if (!m.stresses.empty()) {
        data_array(r, unit, "Float32", "SH", stress_value, nc, [&](std::size_t i) { return m.stresses[i].sh; });
        data_array(r, unit, "Float32", "SZ", stress_value, nc, [&](std::size_t i) { return m.stresses[i].sz; });
        data_array(r, unit, "Float32", "SHZ", stress_value, nc, [&](std::size_t i) { return m.stresses[i].shz; });
    }
    line(r, unit, "      </CellData>");
    line(r, unit, "      <Points>");
    line(r, unit, "        <DataArray type=\"Float32\" NumberOfComponents=\"3\" format=\"ascii\">");
    for (const node_record& n : m.nodes) r.write(unit, point_value, n.h, n.v);
    line(r, unit, "        </DataArray>");
    line(r, unit, "      </Points>");
    line(r, unit, "      <Cells>");
    line(r, unit, "        <DataArray type=\"Int32\" Name=\"connectivity\" format=\"ascii\">");
    for (const element_record& e : m.elements)
        r.write(unit, triangle, node_index(m, e.nodes[0]), node_index(m, e.nodes[1]), node_index(m, e.nodes[2]));
    line(r, unit, "        </DataArray>");
    data_array(r, unit, "Int32", "offsets", int_value, nc, [](std::size_t i) { return count(3 * (i + 1)); });
    // 5 is the VTK code of a three-node triangle.
    data_array(r, unit, "UInt8", "types", int_value, nc, [](std::size_t) { return std::int32_t{5}; });
    line(r, unit, "      </Cells>");
    line(r, unit, "    </Piece>");
    line(r, unit, "  </UnstructuredGrid>");
    line(r, unit, "</VTKFile>");
}

void write_msh(records::run& r, int unit, const mesh& m) {
    static const record_format node_tag("(I7)");
    static const record_format coordinates("(F12.6,F13.6,' 0')");
    static const record_format triangle("(4I7)");
    static const record_format box("(I4,2F13.6,' 0',2F13.6,' 0 1',I4,' 0')");
    std::vector<std::int32_t> codes = type_codes(m);
    std::int32_t ncodes = count(codes.size());
    float hmin = 0.0f, hmax = 0.0f, vmin = 0.0f, vmax = 0.0f;
    for (std::size_t i = 0; i < m.nodes.size(); ++i) {
        const node_record& n = m.nodes[i];
        if (i == 0 || n.h < hmin) hmin = n.h;
        if (i == 0 || n.h > hmax) hmax = n.h;
        if (i == 0 || n.v < vmin) vmin = n.v;
        if (i == 0 || n.v > vmax) vmax = n.v;
    }
    auto [min_node, max_node] = std::minmax_element(m.nodes.begin(), m.nodes.end(),
        [](const node_record& a, const node_record& b) { return a.number < b.number; });
    auto [min_element, max_element] = std::minmax_element(m.elements.begin(), m.elements.end(),
        [](const element_record& a, const element_record& b) { return a.number < b.number; });

    line(r, unit, "$MeshFormat");
    line(r, unit, "4.1 0 8");
    line(r, unit, "$EndMeshFormat");
    // Entity and physical group k (from 1) hold the elements of the k-th type code.
    line(r, unit, "$PhysicalNames");
    line(r, unit, "#", {ncodes});
    for (std::int32_t k = 1; k <= ncodes; ++k) line(r, unit, "2 # \"TYPE#\"", {k, codes[static_cast<std::size_t>(k - 1)]});
    line(r, unit, "$EndPhysicalNames");
    line(r, unit, "$Entities");
    line(r, unit, "0 0 # 0", {ncodes});
    for (std::int32_t k = 1; k <= ncodes; ++k) r.write(unit, box, k, hmin, vmin, hmax, vmax, k);
    line(r, unit, "$EndEntities");
    // Every node in one block of the first surface.
    line(r, unit, "$Nodes");
    if (m.nodes.empty()) {
        line(r, unit, "0 0 0 0");
    } else {
        line(r, unit, "1 # # #", {count(m.nodes.size()), min_node->number, max_node->number});
        line(r, unit, "2 1 0 #", {count(m.nodes.size())});
        for (const node_record& n : m.nodes) r.write(unit, node_tag, n.number);
        for (const node_record& n : m.nodes) r.write(unit, coordinates, n.h, n.v);
    }
    line(r, unit, "$EndNodes");
    line(r, unit, "$Elements");
    if (m.elements.empty()) {
        line(r, unit, "0 0 0 0");
    } else {
        line(r, unit, "# # # #", {ncodes, count(m.elements.size()), min_element->number, max_element->number});
        std::vector<std::uint32_t> order = by_type(m);
        for (std::size_t first = 0, k = 1; first < order.size(); ++k) {
            std::int32_t code = m.elements[order[first]].type;
            std::size_t last = first;
            while (last < order.size() && m.elements[order[last]].type == code) ++last;
            // 2 is the Gmsh code of a three-node triangle.
            line(r, unit, "2 # 2 #", {count(k), count(last - first)});
            for (; first < last; ++first) {
                const element_record& e = m.elements[order[first]];
                r.write(unit, triangle, e.number, e.nodes[0], e.nodes[1], e.nodes[2]);
            }
        }
    }
    line(r, unit, "$EndElements");
}

void write_inp(records::run& r, int unit, const mesh& m) {
    static const record_format node_line("(I7,',',F12.6,',',F12.6)");
    static const record_format element_line("(I7,3(',',I7))");
    // A set's numbers, 16 to a line, without a comma at a line's end.
    static const record_format number_line("(I7,15(',',I7))");
    auto write_set = [&](std::string_view card, const std::vector<std::int32_t>& numbers) {
        if (numbers.empty()) return;
        line(r, unit, card);
        for (std::size_t first = 0; first < numbers.size(); first += 16) {
            std::size_t n = std::min<std::size_t>(16, numbers.size() - first);
            static const std::vector<record_format> short_lines = [] {
                std::vector<record_format> formats;
                for (int k = 1; k <= 16; ++k)
                    formats.emplace_back(k == 1 ? "(I7)" : "(I7," + std::to_string(k - 1) + "(',',I7))");
                return formats;
            }();
            r.begin_write(unit, n == 16 ? number_line : short_lines[n - 1]);
            for (std::size_t i = first; i < first + n; ++i) r.write_int(numbers[i]);
            r.end_write();
        }
    };

    line(r, unit, "*NODE, NSET=NALL");
    for (const node_record& n : m.nodes) r.write(unit, node_line, n.number, n.h, n.v);
    line(r, unit, "*ELEMENT, TYPE=CPS3, ELSET=EALL");
    for (const element_record& e : m.elements) r.write(unit, element_line, e.number, e.nodes[0], e.nodes[1], e.nodes[2]);
    std::vector<std::uint32_t> order = by_type(m);
    for (std::size_t first = 0; first < order.size();) {
        std::int32_t code = m.elements[order[first]].type;
        std::vector<std::int32_t> numbers;
        for (; first < order.size() && m.elements[order[first]].type == code; ++first)
            numbers.push_back(m.elements[order[first]].number);
        write_set("*ELSET, ELSET=TYPE" + std::to_string(code), numbers);
    }
    static const char* const set_names[3] = {"H0V12", "H0", "V12"};
    for (std::size_t f = 0; f < 3; ++f) {
        std::vector<std::int32_t> numbers;
        for (const node_record& n : m.nodes)
            if (n.flags[f] != 0) numbers.push_back(n.number);
        write_set("*NSET, NSET=" + std::string(set_names[f]), numbers);
    }
    // The nodes at the smallest v, which the job holds along v.
    if (!m.nodes.empty()) {
        float lowest = m.nodes.front().v;
        for (const node_record& n : m.nodes) lowest = std::min(lowest, n.v);
        std::vector<std::int32_t> bottom;
        for (const node_record& n : m.nodes)
            if (n.v == lowest) bottom.push_back(n.number);
        write_set("*NSET, NSET=BOTTOM", bottom);
    }
}

void export_mesh(records::run& r) {
    mesh m = read_mesh(r);
    const int output_units[] = {units::mesh_vtu, units::mesh_msh, units::mesh_inp};
    for (int k = 0; k < 3; ++k) r.open_or_stop(output_units[k], mesh_files[k], records::file_status::replaced);
    write_vtu(r, units::mesh_vtu, m);
    write_msh(r, units::mesh_msh, m);
    write_inp(r, units::mesh_inp, m);
}

}  // namespace meshexport
