#include "meshplot/mesh_check.hpp"

#include <algorithm>

#include "mesh/number_index.hpp"
#include "records/side_by_side.hpp"

namespace meshplot {

namespace {

// The corners of every element: those naming a missing node or at a
// coordinate that is not finite, the extent of the others, their order.
void check_corners(const node_table& table, const element_table& elements, mesh_check& check) {
    double h_low = 0.0, h_high = 0.0, v_low = 0.0, v_high = 0.0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        auto at = static_cast<std::uint32_t>(i);
        std::optional<corner_points> p = corners_of(elements.nodes(i), table);
        if (!p) {
            check.missing_node.push_back(at);
        } else if (!finite_corners(*p)) {
            check.non_finite.push_back(at);
        } else {
            if (check.drawable++ == 0) {
                h_low = h_high = p->h[0];
                v_low = v_high = p->v[0];
            }
            for (std::size_t k = 0; k < 3; ++k) {
                h_low = std::min(h_low, p->h[k]);
                h_high = std::max(h_high, p->h[k]);
                v_low = std::min(v_low, p->v[k]);
                v_high = std::max(v_high, p->v[k]);
            }
            switch (order_of(*p)) {
            case mesh_model::corner_order::no_area: check.zero_area.push_back(at); break;
            case mesh_model::corner_order::anticlockwise: check.anticlockwise.push_back(at); break;
            case mesh_model::corner_order::clockwise: break;
            }
        }
    }
    check.h_low = h_low;
    check.h_high = h_high;
    check.v_low = v_low;
    check.v_high = v_high;
}

}  // namespace

mesh_check check_mesh(const node_table& table, const element_table& elements) {
    mesh_check check;
    check.nodes = table.nodes().size();
    check.elements = elements.size();
    check.node_numbers_twice = table.numbers_twice();

    // The numbers on the helper thread, the corners on this one: each pass
    // reads the tables and fills members of its own.
    auto numbers = [&] {
        // The table holds no more than 2^32 - 1 elements: their positions fit
        // in four bytes.
        mesh_model::number_set seen, twice;
        elements.for_each([&](std::size_t, const element_record& e) {
            if (!seen.insert(e.number) && twice.insert(e.number)) check.numbers_twice.push_back(e.number);
        });
        if (!check.numbers_twice.empty())
            elements.for_each([&](std::size_t i, const element_record& e) {
                if (twice.contains(e.number)) check.number_twice.push_back(static_cast<std::uint32_t>(i));
            });
    };
    records::side_by_side(numbers, [&] { check_corners(table, elements, check); });
    return check;
}

namespace {

constexpr std::size_t listed = 10;

std::string element_name(const element_table& elements, std::size_t i) {
    return "element " + std::to_string(elements[i].number) + " (wtopo.out record " + std::to_string(elements.line(i)) +
           ")";
}

std::string node_list(const element_record& e) {
    return std::to_string(e.nodes[0]) + " " + std::to_string(e.nodes[1]) + " " + std::to_string(e.nodes[2]);
}

// One kind of fault: its heading with the count, a line for each of the
// first few, and how many more there are.
template <typename Line>
void list_faults(std::string& out, const char* heading, std::size_t total, Line line) {
    out += heading + std::string(": ") + std::to_string(total) + "\n";
    for (std::size_t k = 0; k < std::min(listed, total); ++k) out += "  " + line(k) + "\n";
    if (total > listed) out += "  ... and " + std::to_string(total - listed) + " more\n";
}

}  // namespace

std::string check_report(const mesh_check& check, const node_table& table, const element_table& elements) {
    std::string out;
    out += "nodes in wnodes.out: " + std::to_string(check.nodes) + "\n";
    out += "elements in wtopo.out: " + std::to_string(check.elements) + "\n";

    list_faults(out, "elements naming a node missing from the node table", check.missing_node.size(),
                [&](std::size_t k) {
                    std::size_t i = check.missing_node[k];
                    const element_record e = elements[i];
                    std::vector<std::int32_t> missing;
                    for (std::int32_t n : e.nodes)
                        if (table.find(n) == nullptr && std::find(missing.begin(), missing.end(), n) == missing.end())
                            missing.push_back(n);
                    std::string names;
                    for (std::int32_t n : missing) {
                        if (!names.empty()) names += ", ";
                        names += std::to_string(n);
                    }
                    return element_name(elements, i) + (missing.size() > 1 ? ": nodes " : ": node ") + names +
                           " not in wnodes.out";
                });
    list_faults(out, "elements whose nodes are not in clockwise order", check.anticlockwise.size(),
                [&](std::size_t k) {
                    std::size_t i = check.anticlockwise[k];
                    const element_record e = elements[i];
                    return element_name(elements, i) + ": nodes " + node_list(e) + " run anticlockwise";
                });
    list_faults(out, "elements of zero area", check.zero_area.size(), [&](std::size_t k) {
        std::size_t i = check.zero_area[k];
                    const element_record e = elements[i];
        return element_name(elements, i) + ": nodes " + node_list(e) + " enclose no area";
    });
    if (!check.non_finite.empty())
        list_faults(out, "elements at a coordinate that is not finite (not drawn)", check.non_finite.size(),
                    [&](std::size_t k) {
                        std::size_t i = check.non_finite[k];
                    const element_record e = elements[i];
                        return element_name(elements, i) + ": nodes " + node_list(e);
                    });
    list_faults(out, "element numbers used twice", check.numbers_twice.size(), [&](std::size_t k) {
        std::int32_t number = check.numbers_twice[k];
        std::string records;
        for (std::uint32_t i : check.number_twice)
            if (elements[i].number == number) {
                if (!records.empty()) records += ", ";
                records += std::to_string(elements.line(i));
            }
        return "element " + std::to_string(number) + ": wtopo.out records " + records;
    });
    if (!check.node_numbers_twice.empty())
        list_faults(out, "node numbers used twice (the later record is drawn)", check.node_numbers_twice.size(),
                    [&](std::size_t k) { return "node " + std::to_string(check.node_numbers_twice[k]); });

    if (check.clean())
        out += "the mesh is clean\n";
    else if (check.marked_in_picture())
        out += "the mesh has faults; the faulty elements are marked in mesh.svg\n";
    else
        out += "the mesh has faults; none of them can be marked in mesh.svg\n";
    return out;
}

}  // namespace meshplot
