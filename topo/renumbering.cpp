#include "topo/renumbering.hpp"

#include <stdexcept>

#include "records/wrapping.hpp"

namespace topo {

void range_table::start(std::int32_t pairs) {
    if (pairs < 0 || pairs > max_pairs) throw std::out_of_range("range_table: pair count out of range");
    pairs_ = pairs;
}

void range_table::set_pair(std::int32_t inds, std::int32_t old_first, std::int32_t new_first) {
    if (inds < 1 || inds > pairs_) throw std::out_of_range("range_table: pair number out of range");
    auto k = static_cast<std::size_t>(inds);
    ond_[k] = old_first;
    nnd_[k] = new_first;
    ndiff_[k] = records::wrapping_sub(nnd_[k], ond_[k]);
}

std::int32_t range_table::renumber(std::int32_t v) const {
    std::int32_t indt = v;
    // Every range is tested against v as read; when several hold it, the
    // last of them decides. The last pair bounds the range before it and has
    // no upper bound of its own, so it opens no range.
    for (std::int32_t inds = 1; inds < pairs_; ++inds) {
        auto k = static_cast<std::size_t>(inds);
        std::size_t indsp1 = k + 1;
        if (v < ond_[k]) continue;
        if (v >= ond_[indsp1]) continue;
        indt = records::wrapping_add(v, ndiff_[k]);
    }
    return indt;
}

}  // namespace topo
