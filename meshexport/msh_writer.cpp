#include <algorithm>

#include "meshexport/mesh_writers.hpp"
#include "meshexport/writer_lines.hpp"

namespace meshexport {

using records::record_format;

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

}  // namespace meshexport
