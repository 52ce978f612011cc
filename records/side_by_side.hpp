// Two pieces of work done at once, the first on a helper thread: for reading
// the records of a large table from lines already in memory and the next
// lines of its file into a part of its buffer that nothing else reads
// meanwhile (run::plan_table_fill), work that touches no state of the run,
// or for writing two outputs at once (run::write_values says how). The helper is started once, with
// the interrupts (SIGINT, SIGTERM, SIGHUP) held, so that the run's own
// thread alone takes them and cuts the outputs back; it then waits for the
// next piece. Where no thread can be started, the two pieces run one after
// the other. A fault thrown by either is thrown here once both are done.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace records {

// A piece of work: a function and what it works on.
struct work_piece {
    void (*call)(void*);
    void* object;
};

void side_by_side(work_piece first, work_piece second);

// True on the helper thread.
bool on_helper_thread();

template <typename First, typename Second>
void side_by_side(First&& first, Second&& second) {
    auto call = []<typename F>(F* f) { return work_piece{[](void* p) { (*static_cast<F*>(p))(); }, f}; };
    side_by_side(call(std::addressof(first)), call(std::addressof(second)));
}

// Output made and written in batches by the two threads in turn: while one
// thread writes the batch it made, the other makes the next, and then
// writes it. Each batch stays with the thread that made it, in memory that
// thread touched last, and the batches are written in their order, one at
// a time. make(text, from, to) appends the output of items from to to - 1
// to `text`; write(text) writes it. Both run on either thread: make reads
// only what nothing changes meanwhile, and write goes to one output unit
// from either thread in turn (run::write_values says on what terms).
template <typename Make, typename Write>
void in_alternate_batches(std::size_t count, std::size_t per_batch, Make make, Write write) {
    const std::size_t batches = (count + per_batch - 1) / per_batch;
    std::string texts[2];  // batch k in texts[k % 2]
    auto make_batch = [&](std::size_t k) {
        texts[k % 2].clear();
        if (k < batches) make(texts[k % 2], k * per_batch, std::min((k + 1) * per_batch, count));
    };
    make_batch(0);
    for (std::size_t k = 0; k < batches; ++k) {
        auto write_batch = [&] { write(std::string_view(texts[k % 2])); };
        auto make_next = [&] { make_batch(k + 1); };
        // The run's thread makes and writes the even batches.
        if (k % 2 == 0) {
            side_by_side(make_next, write_batch);
        } else {
            side_by_side(write_batch, make_next);
        }
    }
}

}  // namespace records
