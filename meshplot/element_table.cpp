#include "meshplot/element_table.hpp"

#include <bit>
#include <limits>
#include <stdexcept>

namespace meshplot {

element_table::element_table(const std::vector<element_record>& records) {
    reserve(records.size());
    for (const element_record& e : records) add(e, static_cast<long>(size()) + 1);
}

void element_table::reserve(std::size_t count) { nodes_.reserve(std::min(count, nodes_.max_size())); }

void element_table::add(const element_record& e, long line) {
    std::size_t position = nodes_.size();
    if (position == std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("more than 2^32 - 1 elements");
    auto at = static_cast<std::uint32_t>(position);
    if (numbers_.empty() ||
        std::int64_t{e.number} != numbers_.back().number + std::int64_t{at - numbers_.back().from})
        numbers_.push_back({at, e.number});
    // The same group to the bit, so that every record is given back as it
    // was read: an angle of -0 does not join a run of 0.
    if (groups_.empty() || e.type != groups_.back().type ||
        std::bit_cast<std::uint32_t>(e.angle) != std::bit_cast<std::uint32_t>(groups_.back().angle))
        groups_.push_back({at, e.angle, e.type});
    nodes_.push_back(e.nodes);
    lines_.add(position, line);
}

element_record element_table::operator[](std::size_t position) const {
    return record(position, numbers_[run_index(numbers_, position)], groups_[run_index(groups_, position)]);
}

}  // namespace meshplot
