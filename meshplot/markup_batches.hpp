// The markup of many items of a picture (a million elements, half a million
// nodes) made and written on two threads. Making the markup and copying it
// into the file each take about half the time, so the batches alternate:
// while one thread writes the batch it made, the other makes the next one,
// and then writes it. Each batch is made and written by one thread, in the
// memory that thread last touched, and the batches reach the document in
// their order, one thread at a time (records/side_by_side.hpp).
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

#include "plots/svg.hpp"
#include "records/side_by_side.hpp"

namespace meshplot {

// Items in a batch: some hundreds of kilobytes of markup.
inline constexpr std::size_t items_per_batch = 4096;

// Writes the markup of items 0 to count - 1 to `svg`, in order:
// make(out, from, to) appends that of items from to to - 1 to `out`. Both
// run on either thread, so make reads only what no one changes meanwhile.
template <typename Make>
void write_in_batches(plots::svg_document& svg, std::size_t count, Make make) {
    const std::size_t batches = (count + items_per_batch - 1) / items_per_batch;
    // Batch k in texts[k % 2]: the even ones the run's thread's, the odd
    // ones the helper's.
    std::string texts[2];
    auto make_batch = [&](std::size_t k) {
        texts[k % 2].clear();
        if (k < batches) make(texts[k % 2], k * items_per_batch, std::min((k + 1) * items_per_batch, count));
    };
    make_batch(0);
    for (std::size_t k = 0; k < batches; ++k) {
        auto write = [&] { svg.raw(texts[k % 2]); };
        auto make_next = [&] { make_batch(k + 1); };
        if (k % 2 == 0) {
            records::side_by_side(make_next, write);
        } else {
            records::side_by_side(write, make_next);
        }
    }
}

}  // namespace meshplot
