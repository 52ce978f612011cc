// The nodes of "wnodes.out" as the check and the picture take them, found
// by number. Any number an I6 field holds is taken: a node number given
// twice is a fault that the check reports, and the later record is the
// node of that number.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "mesh/large_tables.hpp"
#include "mesh/number_index.hpp"

namespace meshplot {

// A node record without its three flags, which are not used here.
struct node_record {
    std::int32_t number = 0;
    float h = 0.0f;
    float v = 0.0f;
};

class node_table {
public:
    node_table() = default;
    explicit node_table(const std::vector<node_record>& nodes);

    // Room for `count` nodes (as far as a vector can hold them), taken at
    // once.
    void reserve(std::size_t count) { nodes_.reserve(std::min(count, nodes_.max_size())); }
    // The next record of the table.
    void add(const node_record& n);

    // The position in nodes() of the node of that number; -1 when there is
    // none.
    std::ptrdiff_t position(std::int32_t number) const { return std::ptrdiff_t{by_number_.find(number)} - 1; }
    // The node of that number, or null.
    const node_record* find(std::int32_t number) const {
        std::ptrdiff_t at = position(number);
        return at < 0 ? nullptr : &nodes_[static_cast<std::size_t>(at)];
    }
    // The records in table order; of a number given twice, both.
    const mesh_model::large_table<node_record>& nodes() const { return nodes_; }
    // Whether the record at `position` is the node of its number (the later
    // record of a number given twice).
    bool kept(std::size_t position) const {
        return this->position(nodes_[position].number) == static_cast<std::ptrdiff_t>(position);
    }
    // The numbers given more than once, each once, in the order of their
    // second use.
    const std::vector<std::int32_t>& numbers_twice() const { return numbers_twice_; }

private:
    mesh_model::large_table<node_record> nodes_;
    mesh_model::number_index by_number_;
    mesh_model::number_set twice_;  // the numbers in numbers_twice_
    std::vector<std::int32_t> numbers_twice_;
};

}  // namespace meshplot
