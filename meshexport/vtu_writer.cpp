#include <string>
#include <string_view>

#include "meshexport/mesh_writers.hpp"
#include "meshexport/writer_lines.hpp"

namespace meshexport {
namespace {

using records::record_format;

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

}  // namespace meshexport
