#include "mesh/record_lines.hpp"

#include <algorithm>
#include <iterator>

namespace mesh_model {

void record_lines::add(std::size_t position, long line) {
    long blanks = line - static_cast<long>(position) * lines_per_record_ - 1;
    if (blanks != (steps_.empty() ? 0 : steps_.back().blanks)) steps_.push_back({position, blanks});
}

long record_lines::line(std::size_t position) const {
    auto after = std::upper_bound(steps_.begin(), steps_.end(), position,
                                  [](std::size_t p, const step& s) { return p < s.from; });
    return static_cast<long>(position) * lines_per_record_ + 1 + (after == steps_.begin() ? 0 : std::prev(after)->blanks);
}

}  // namespace mesh_model
