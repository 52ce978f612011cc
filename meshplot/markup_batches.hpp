// The markup of many items of a picture (a million elements, half a million
// nodes) made and written in a pipeline: the helper thread makes the next
// batch while the run's thread hands the last one to the document, which
// copies it into the file. Making the markup and writing it each take about
// half the time; side by side, the two halves overlap. The helper only
// makes text into a string of its own (records/side_by_side.hpp); the
// document, the file and the run stay on the run's thread.
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
// make(out, from, to) appends that of items from to to - 1 to `out`, and
// runs on the helper thread, so it reads only what no one changes meanwhile.
template <typename Make>
void write_in_batches(plots::svg_document& svg, std::size_t count, Make make) {
    if (count == 0) return;
    std::string batches[2];
    std::size_t ready = 0;  // the batch made and not yet written
    std::size_t from = std::min(items_per_batch, count);
    make(batches[ready], 0, from);
    while (from < count) {
        std::size_t to = std::min(from + items_per_batch, count);
        std::string& next = batches[1 - ready];
        next.clear();
        records::side_by_side([&] { make(next, from, to); }, [&] { svg.raw(batches[ready]); });
        ready = 1 - ready;
        from = to;
    }
    svg.raw(batches[ready]);
}

}  // namespace meshplot
