#include "meshplot/element_table.hpp"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>

namespace meshplot {

namespace {

// The run that holds `position`: the last one from it or before.
template <typename Run>
const Run& run_of(const std::vector<Run>& runs, std::size_t position) {
    auto after = std::upper_bound(runs.begin(), runs.end(), position,
                                  [](std::size_t p, const Run& r) { return p < r.from; });
    return *std::prev(after);
}

}  // namespace

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
    return record(position, run_of(numbers_, position), run_of(groups_, position));
}

}  // namespace meshplot
