#include "meshplot/mesh_check.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

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

namespace {

// Positions 0 to count - 1 sorted by key, equal keys in the order of their
// positions. A table longer than 2^32 records cannot be read in memory
// anyway; the positions stop there.
std::uint32_t position_limit(std::size_t count) {
    return static_cast<std::uint32_t>(std::min<std::size_t>(count, std::numeric_limits<std::uint32_t>::max()));
}

template <typename Key>
std::vector<std::uint32_t> sorted_positions(std::size_t count, Key key) {
    std::size_t n = position_limit(count);
    std::vector<std::uint32_t> order(n);
    for (std::size_t k = 0; k < n; ++k) order[k] = static_cast<std::uint32_t>(k);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return key(a) < key(b); });
    return order;
}

// Whether every number is used once, told fast when the numbers lie close
// together (as I6 numbers of a large mesh do): one byte per number from the
// least to the greatest. Nothing is told (false) otherwise.
template <typename Key>
bool each_used_once(std::size_t count, Key key) {
    std::size_t n = position_limit(count);
    if (n == 0) return true;
    std::int64_t least = key(0), greatest = key(0);
    for (std::size_t k = 1; k < n; ++k) {
        least = std::min<std::int64_t>(least, key(static_cast<std::uint32_t>(k)));
        greatest = std::max<std::int64_t>(greatest, key(static_cast<std::uint32_t>(k)));
    }
    if (greatest - least + 1 > 2 * static_cast<std::int64_t>(n) + (1 << 20)) return false;
    std::vector<bool> seen(static_cast<std::size_t>(greatest - least + 1), false);
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t slot = static_cast<std::size_t>(key(static_cast<std::uint32_t>(k)) - least);
        if (seen[slot]) return false;
        seen[slot] = true;
    }
    return true;
}

// The numbers used more than once, each once, in the order in which their
// second use comes; `all` receives every position whose number is used more
// than once, in increasing order.
template <typename Key>
std::vector<std::int32_t> used_twice(std::size_t count, Key key, std::vector<std::uint32_t>* all) {
    if (each_used_once(count, key)) return {};
    std::vector<std::uint32_t> order = sorted_positions(count, key);
    std::vector<std::pair<std::uint32_t, std::int32_t>> seconds;  // position of the second use, number
    for (std::size_t k = 0; k < order.size();) {
        std::size_t end = k + 1;
        while (end < order.size() && key(order[end]) == key(order[k])) ++end;
        if (end - k > 1) {
            seconds.emplace_back(order[k + 1], key(order[k]));
            if (all)
                for (std::size_t j = k; j < end; ++j) all->push_back(order[j]);
        }
        k = end;
    }
    std::sort(seconds.begin(), seconds.end());
    if (all) std::sort(all->begin(), all->end());
    std::vector<std::int32_t> numbers;
    numbers.reserve(seconds.size());
    for (const auto& s : seconds) numbers.push_back(s.second);
    return numbers;
}

}  // namespace

node_table::node_table(const std::vector<node_record>& nodes) : nodes_(nodes) {
    std::size_t count = position_limit(nodes.size());
    if (count > 0) {
        auto [least, greatest] = std::minmax_element(nodes.begin(), nodes.begin() + static_cast<std::ptrdiff_t>(count),
                                                     [](const node_record& a, const node_record& b) { return a.number < b.number; });
        std::int64_t span = static_cast<std::int64_t>(greatest->number) - least->number + 1;
        // One slot per number costs no more than about twice the sorted
        // positions plus 4 MB.
        if (span <= 2 * static_cast<std::int64_t>(count) + (1 << 20)) {
            least_ = least->number;
            by_number_.assign(static_cast<std::size_t>(span), no_node);
            // Of a number given twice, the later record stays.
            for (std::size_t k = 0; k < count; ++k)
                by_number_[static_cast<std::size_t>(nodes[k].number - least_)] = static_cast<std::uint32_t>(k);
            return;
        }
    }
    order_ = sorted_positions(nodes.size(), [&](std::uint32_t k) { return nodes[k].number; });
    // Of a number given twice, only the later record stays.
    std::size_t kept = 0;
    for (std::size_t k = 0; k < order_.size(); ++k)
        if (k + 1 == order_.size() || nodes_[order_[k + 1]].number != nodes_[order_[k]].number)
            order_[kept++] = order_[k];
    order_.resize(kept);
    order_.shrink_to_fit();
}

const node_record* node_table::find_sorted(std::int32_t number) const {
    auto at = std::lower_bound(order_.begin(), order_.end(), number,
                               [&](std::uint32_t k, std::int32_t n) { return nodes_[k].number < n; });
    if (at == order_.end() || nodes_[*at].number != number) return nullptr;
    return &nodes_[*at];
}

std::optional<corner_points> corners_of(const element_record& e, const node_table& table) {
    corner_points p;
    for (std::size_t k = 0; k < 3; ++k) {
        const node_record* found = table.find(e.nodes[k]);
        if (found == nullptr) return std::nullopt;
        p.h[k] = found->h;
        p.v[k] = found->v;
    }
    return p;
}

bool finite_corners(const corner_points& p) {
    for (std::size_t k = 0; k < 3; ++k)
        if (!std::isfinite(p.h[k]) || !std::isfinite(p.v[k])) return false;
    return true;
}

mesh_check check_mesh(const node_table& table, const std::vector<element_record>& elements) {
    const std::vector<node_record>& nodes = table.nodes();
    mesh_check check;
    check.nodes = nodes.size();
    check.elements = elements.size();
    check.node_numbers_twice = used_twice(nodes.size(), [&](std::uint32_t k) { return nodes[k].number; }, nullptr);
    check.numbers_twice =
        used_twice(elements.size(), [&](std::uint32_t k) { return elements[k].number; }, &check.number_twice);

    for (std::uint32_t i = 0; i < position_limit(elements.size()); ++i) {
        const element_record& e = elements[i];
        std::optional<corner_points> p = corners_of(e, table);
        if (!p) {
            check.missing_node.push_back(i);
            continue;
        }
        if (!finite_corners(*p) || !std::isfinite(twice_signed_area(*p))) {
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

// One kind of fault: its heading with the count, a line for each of the
// first few, and how many more there are.
template <typename Line>
void list_faults(std::string& out, const char* heading, std::size_t total, Line line) {
    out += heading + std::string(": ") + std::to_string(total) + "\n";
    for (std::size_t k = 0; k < std::min(listed, total); ++k) out += "  " + line(k) + "\n";
    if (total > listed) out += "  ... and " + std::to_string(total - listed) + " more\n";
}

}  // namespace

std::string check_report(const mesh_check& check, const node_table& table,
                         const std::vector<element_record>& elements) {
    std::string out;
    out += "nodes in wnodes.out: " + std::to_string(check.nodes) + "\n";
    out += "elements in wtopo.out: " + std::to_string(check.elements) + "\n";

    list_faults(out, "elements naming a node missing from the node table", check.missing_node.size(),
                [&](std::size_t k) {
                    const element_record& e = elements[check.missing_node[k]];
                    std::vector<std::int32_t> missing;
                    for (std::int32_t n : e.nodes)
                        if (table.find(n) == nullptr && std::find(missing.begin(), missing.end(), n) == missing.end())
                            missing.push_back(n);
                    std::string names;
                    for (std::int32_t n : missing) {
                        if (!names.empty()) names += ", ";
                        names += std::to_string(n);
                    }
                    return element_name(e) + (missing.size() > 1 ? ": nodes " : ": node ") + names +
                           " not in wnodes.out";
                });
    list_faults(out, "elements whose nodes are not in clockwise order", check.anticlockwise.size(),
                [&](std::size_t k) {
                    const element_record& e = elements[check.anticlockwise[k]];
                    return element_name(e) + ": nodes " + node_list(e) + " run anticlockwise";
                });
    list_faults(out, "elements of zero area", check.zero_area.size(), [&](std::size_t k) {
        const element_record& e = elements[check.zero_area[k]];
        return element_name(e) + ": nodes " + node_list(e) + " enclose no area";
    });
    if (!check.non_finite.empty())
        list_faults(out, "elements at a coordinate that is not finite (not drawn)", check.non_finite.size(),
                    [&](std::size_t k) {
                        const element_record& e = elements[check.non_finite[k]];
                        return element_name(e) + ": nodes " + node_list(e);
                    });
    list_faults(out, "element numbers used twice", check.numbers_twice.size(), [&](std::size_t k) {
        std::int32_t number = check.numbers_twice[k];
        std::string records;
        for (std::uint32_t i : check.number_twice)
            if (elements[i].number == number) {
                if (!records.empty()) records += ", ";
                records += std::to_string(elements[i].record);
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
