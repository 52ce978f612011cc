#include <algorithm>

#include "meshexport/layer_angles.hpp"
#include "meshexport/mesh_writers.hpp"
#include "meshexport/writer_lines.hpp"

namespace meshexport {

using records::record_format;

namespace {

// The surfaces of the mesh: one for each pair of type code and angle that
// some element has, in ascending order of type code, then angle.
struct surface {
    std::int32_t type;
    std::int32_t angle;  // hundredths of a degree
    auto operator<=>(const surface&) const = default;
};

constexpr auto surface_of = [](const element_record& e) { return surface{e.type, angle_of(e)}; };

}  // namespace

void write_msh(records::run& r, records::output_unit unit, const mesh& m) {
    static const record_format node_tag("(I7)");
    static const record_format coordinates("(F12.6,F13.6,' 0')");
    static const record_format triangle("(4I7)");
    static const record_format box("(I4,2F13.6,' 0',2F13.6,' 0 2',2I4,' 0')");
    // Each type code and each angle is that of some surface.
    std::vector<surface> surfaces = distinct_keys(m, surface_of);
    std::vector<std::int32_t> codes, angles;
    for (const surface& s : surfaces) {
        codes.push_back(s.type);
        angles.push_back(s.angle);
    }
    for (auto* keys : {&codes, &angles}) {
        std::sort(keys->begin(), keys->end());
        keys->erase(std::unique(keys->begin(), keys->end()), keys->end());
    }
    std::int32_t ncodes = count(codes.size()), nangles = count(angles.size());
    // A group's tag: the k-th type code is group k, the k-th angle group
    // ncodes + k, both counted from 1.
    auto group_of = [&](const surface& s) {
        auto type_at = std::lower_bound(codes.begin(), codes.end(), s.type) - codes.begin();
        auto angle_at = std::lower_bound(angles.begin(), angles.end(), s.angle) - angles.begin();
        return std::pair{count(static_cast<std::size_t>(type_at)) + 1,
                         ncodes + count(static_cast<std::size_t>(angle_at)) + 1};
    };
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
    // A physical group for each type code, TYPE<k>, then one for each
    // angle; surface k (from 1) is in the groups of its type and its angle.
    line(r, unit, "$PhysicalNames");
    line(r, unit, "#", {ncodes + nangles});
    for (std::int32_t k = 1; k <= ncodes; ++k) line(r, unit, "2 # \"TYPE#\"", {k, codes[static_cast<std::size_t>(k - 1)]});
    for (std::int32_t k = 1; k <= nangles; ++k)
        line(r, unit, "2 # \"" + angle_set_name(angles[static_cast<std::size_t>(k - 1)]) + "\"", {ncodes + k});
    line(r, unit, "$EndPhysicalNames");
    line(r, unit, "$Entities");
    line(r, unit, "0 0 # 0", {count(surfaces.size())});
    for (std::size_t k = 0; k < surfaces.size(); ++k) {
        auto [type_group, angle_group] = group_of(surfaces[k]);
        r.write(unit, box, count(k + 1), hmin, vmin, hmax, vmax, type_group, angle_group);
    }
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
        line(r, unit, "# # # #", {count(surfaces.size()), count(m.elements.size()), min_element->number, max_element->number});
        std::int32_t k = 0;
        for_each_group(m, surfaces, surface_of, [&](const surface&, const auto& positions) {
            // 2 is the Gmsh code of a three-node triangle.
            line(r, unit, "2 # 2 #", {++k, count(positions.size())});
            for (std::uint32_t i : positions) {
                const element_record& e = m.elements[i];
                r.write(unit, triangle, e.number, e.nodes[0], e.nodes[1], e.nodes[2]);
            }
        });
    }
    line(r, unit, "$EndElements");
}

}  // namespace meshexport
