#include "meshplot/mesh_check.hpp"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace meshplot {

double twice_signed_area(const corner_points& p) {
    return (p.h[1] - p.h[0]) * (p.v[2] - p.v[0]) - (p.v[1] - p.v[0]) * (p.h[2] - p.h[0]);
}

bool zero_area(const corner_points& p) {
    double longest = 0.0;
    for (int a = 0; a < 3; ++a) {
        int b = (a + 1) % 3;
        double dh = p.h[static_cast<std::size_t>(b)] - p.h[static_cast<std::size_t>(a)];
        double dv = p.v[static_cast<std::size_t>(b)] - p.v[static_cast<std::size_t>(a)];
        longest = std::max(longest, dh * dh + dv * dv);
    }
    // Coordinates come from F12.6 fields: a relative tolerance well above
    // the rounding of single precision differences.
    return std::abs(twice_signed_area(p)) <= 1e-9 * longest;
}

node_table index_nodes(const std::vector<node_record>& nodes) {
    node_table table;
    table.reserve(nodes.size());
    for (const node_record& n : nodes) table[n.number] = n;
    return table;
}

std::optional<corner_points> corners_of(const element_record& e, const node_table& table) {
    corner_points p;
    for (std::size_t k = 0; k < 3; ++k) {
        auto found = table.find(e.nodes[k]);
        if (found == table.end()) return std::nullopt;
        p.h[k] = found->second.h;
        p.v[k] = found->second.v;
    }
    return p;
}

mesh_check check_mesh(const std::vector<node_record>& nodes, const std::vector<element_record>& elements) {
    mesh_check check;
    check.nodes = nodes.size();
    check.elements = elements.size();
    node_table table = index_nodes(nodes);

    std::unordered_map<std::int32_t, int> node_uses;
    for (const node_record& n : nodes)
        if (++node_uses[n.number] == 2) check.node_numbers_twice.push_back(n.number);

    std::unordered_map<std::int32_t, int> element_uses;
    for (const element_record& e : elements)
        if (++element_uses[e.number] == 2) check.numbers_twice.push_back(e.number);

    for (std::size_t i = 0; i < elements.size(); ++i) {
        const element_record& e = elements[i];
        if (element_uses[e.number] > 1) check.number_twice.push_back(i);
        std::optional<corner_points> p = corners_of(e, table);
        if (!p) {
            check.missing_node.push_back(i);
            continue;
        }
        bool finite = true;
        for (std::size_t k = 0; k < 3; ++k) finite = finite && std::isfinite(p->h[k]) && std::isfinite(p->v[k]);
        if (!finite || !std::isfinite(twice_signed_area(*p))) {
            check.non_finite.push_back(i);
        } else if (zero_area(*p)) {
            check.zero_area.push_back(i);
        } else if (twice_signed_area(*p) > 0.0) {
            check.anticlockwise.push_back(i);
        }
    }
    return check;
}

namespace {

constexpr std::size_t listed = 10;

std::string element_name(const element_record& e) {
    return "element " + std::to_string(e.number) + " (wtopo.out record " + std::to_string(e.record) + ")";
}

std::string node_list(const element_record& e) {
    return std::to_string(e.nodes[0]) + " " + std::to_string(e.nodes[1]) + " " + std::to_string(e.nodes[2]);
}

void more(std::string& out, std::size_t total) {
    if (total > listed) out += "  ... and " + std::to_string(total - listed) + " more\n";
}

}  // namespace

std::string check_report(const mesh_check& check, const std::vector<node_record>& nodes,
                         const std::vector<element_record>& elements) {
    node_table table = index_nodes(nodes);
    std::string out;
    out += "nodes in wnodes.out: " + std::to_string(check.nodes) + "\n";
    out += "elements in wtopo.out: " + std::to_string(check.elements) + "\n";

    out += "elements naming a node missing from the node table: " + std::to_string(check.missing_node.size()) + "\n";
    for (std::size_t k = 0; k < std::min(listed, check.missing_node.size()); ++k) {
        const element_record& e = elements[check.missing_node[k]];
        std::vector<std::int32_t> missing;
        for (std::int32_t n : e.nodes)
            if (!table.count(n) && std::find(missing.begin(), missing.end(), n) == missing.end()) missing.push_back(n);
        std::string names;
        for (std::int32_t n : missing) names += (names.empty() ? "" : ", ") + std::to_string(n);
        out += "  " + element_name(e) + (missing.size() > 1 ? ": nodes " : ": node ") + names + " not in wnodes.out\n";
    }
    more(out, check.missing_node.size());

    out += "elements whose nodes are not in clockwise order: " + std::to_string(check.anticlockwise.size()) + "\n";
    for (std::size_t k = 0; k < std::min(listed, check.anticlockwise.size()); ++k) {
        const element_record& e = elements[check.anticlockwise[k]];
        out += "  " + element_name(e) + ": nodes " + node_list(e) + " run anticlockwise\n";
    }
    more(out, check.anticlockwise.size());

    out += "elements of zero area: " + std::to_string(check.zero_area.size()) + "\n";
    for (std::size_t k = 0; k < std::min(listed, check.zero_area.size()); ++k) {
        const element_record& e = elements[check.zero_area[k]];
        out += "  " + element_name(e) + ": nodes " + node_list(e) + " enclose no area\n";
    }
    more(out, check.zero_area.size());

    if (!check.non_finite.empty()) {
        out += "elements at a coordinate that is not finite (not drawn): " + std::to_string(check.non_finite.size()) +
               "\n";
        for (std::size_t k = 0; k < std::min(listed, check.non_finite.size()); ++k) {
            const element_record& e = elements[check.non_finite[k]];
            out += "  " + element_name(e) + ": nodes " + node_list(e) + "\n";
        }
        more(out, check.non_finite.size());
    }

    out += "element numbers used twice: " + std::to_string(check.numbers_twice.size()) + "\n";
    for (std::size_t k = 0; k < std::min(listed, check.numbers_twice.size()); ++k) {
        std::int32_t number = check.numbers_twice[k];
        std::string records;
        for (std::size_t i : check.number_twice)
            if (elements[i].number == number)
                records += (records.empty() ? "" : ", ") + std::to_string(elements[i].record);
        out += "  element " + std::to_string(number) + ": wtopo.out records " + records + "\n";
    }
    more(out, check.numbers_twice.size());

    if (!check.node_numbers_twice.empty()) {
        out += "node numbers used twice (the later record is drawn): " +
               std::to_string(check.node_numbers_twice.size()) + "\n";
        for (std::size_t k = 0; k < std::min(listed, check.node_numbers_twice.size()); ++k)
            out += "  node " + std::to_string(check.node_numbers_twice[k]) + "\n";
        more(out, check.node_numbers_twice.size());
    }

    out += check.clean() ? "the mesh is clean\n" : "the mesh has faults; the faulty elements are marked in mesh.svg\n";
    return out;
}

}  // namespace meshplot
