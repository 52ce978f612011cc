// The check of a mesh before it is drawn: do the elements name nodes of the
// node table, do they list their nodes clockwise (h to the right, v upwards,
// the order in which topo generates them), do they enclose an area, and is
// each element and node number used once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "meshplot/mesh_files.hpp"

namespace meshplot {

struct corner_points {
    std::array<double, 3> h{};
    std::array<double, 3> v{};
};

// Twice the signed area of the triangle, with v upwards: negative when the
// corners run clockwise.
double twice_signed_area(const corner_points& p);

// Zero area: the signed area is negligible against the longest side (this
// takes in repeated corners and corners on one line).
bool zero_area(const corner_points& p);

struct mesh_check {
    std::size_t nodes = 0;
    std::size_t elements = 0;
    // Indices into the element list (four bytes each: a list of 2^32
    // elements would not fit in memory anyway).
    std::vector<std::uint32_t> missing_node;
    std::vector<std::uint32_t> anticlockwise;
    std::vector<std::uint32_t> zero_area;
    std::vector<std::uint32_t> non_finite;      // a corner at an infinite or NaN coordinate
    std::vector<std::uint32_t> number_twice;    // every element whose number another element also has
    std::vector<std::int32_t> numbers_twice;  // those numbers, each once, in order of first use
    std::vector<std::int32_t> node_numbers_twice;

    // The elements drawn with a fault outline: those with corners that
    // exist and are finite, but that run anticlockwise, enclose no area or
    // share their number.
    bool marked_in_picture() const { return !anticlockwise.empty() || !zero_area.empty() || !number_twice.empty(); }

    bool clean() const {
        return missing_node.empty() && anticlockwise.empty() && zero_area.empty() && non_finite.empty() &&
               numbers_twice.empty() && node_numbers_twice.empty();
    }
};

// Node number to its coordinates; a number given twice keeps the later
// record. Positions into the node list, four bytes each, so that a mesh of
// millions of elements is checked in little memory: one slot per number
// from the least to the greatest when that span is not much more than the
// count of nodes (as I6 numbers always are for a large mesh), which finds a
// node at once; else sorted by number, found by halving. Built once a run
// and shared by the check, its report and the picture.
class node_table {
public:
    explicit node_table(const std::vector<node_record>& nodes);
    // The node of that number, or null.
    const node_record* find(std::int32_t number) const {
        if (!by_number_.empty()) {
            std::int64_t slot = static_cast<std::int64_t>(number) - least_;
            if (slot < 0 || slot >= static_cast<std::int64_t>(by_number_.size())) return nullptr;
            std::uint32_t at = by_number_[static_cast<std::size_t>(slot)];
            return at == no_node ? nullptr : &nodes_[at];
        }
        return find_sorted(number);
    }
    // The node list the table indexes, in the order of its records.
    const std::vector<node_record>& nodes() const { return nodes_; }

private:
    static constexpr std::uint32_t no_node = 0xFFFFFFFF;
    const node_record* find_sorted(std::int32_t number) const;
    const std::vector<node_record>& nodes_;
    std::vector<std::uint32_t> order_;      // sorted by number, when by_number_ is empty
    std::vector<std::uint32_t> by_number_;  // slot number - least_: the position, or no_node
    std::int64_t least_ = 0;
};

// The corners of an element, or nothing when it names a missing node.
std::optional<corner_points> corners_of(const element_record& e, const node_table& table);

// Every corner at a finite coordinate.
bool finite_corners(const corner_points& p);

mesh_check check_mesh(const node_table& table, const std::vector<element_record>& elements);

// The check as printed on standard output: the counts, each kind of fault
// with the first few elements that have it, and a last line saying whether
// the mesh is clean, and whether the picture marks its faulty elements.
std::string check_report(const mesh_check& check, const node_table& table,
                         const std::vector<element_record>& elements);

}  // namespace meshplot
