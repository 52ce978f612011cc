// Two pieces of work done at once, the first on a helper thread: for reading
// the records of a large table from lines already in memory, work that
// touches no file and no state of the run, or for writing two outputs at
// once (run::write_values says how). The helper is started once, with
// the interrupts (SIGINT, SIGTERM, SIGHUP) held, so that the run's own
// thread alone takes them and cuts the outputs back; it then waits for the
// next piece. Where no thread can be started, the two pieces run one after
// the other. A fault thrown by either is thrown here once both are done.
#pragma once

#include <memory>
#include <type_traits>

namespace records {

// A piece of work: a function and what it works on.
struct work_piece {
    void (*call)(void*);
    void* object;
};

void side_by_side(work_piece first, work_piece second);

template <typename First, typename Second>
void side_by_side(First&& first, Second&& second) {
    auto call = []<typename F>(F* f) { return work_piece{[](void* p) { (*static_cast<F*>(p))(); }, f}; };
    side_by_side(call(std::addressof(first)), call(std::addressof(second)));
}

}  // namespace records
