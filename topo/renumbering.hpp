// Renumbering of node ranges in an element group. Each pair gives the old and
// the new first number of a range; range k covers ond(k) <= v < ond(k+1), so
// the last pair of a group only closes the range before it.
#pragma once

#include <array>
#include <cstdint>

namespace topo {

class range_table {
public:
    static constexpr std::int32_t max_pairs = 50;

    // Starts the table of a group with `pairs` pairs (0 to max_pairs); the
    // caller then sets pairs 1 to pairs.
    void start(std::int32_t pairs);
    void set_pair(std::int32_t inds, std::int32_t old_first, std::int32_t new_first);

    // The node number v after renumbering: shifted with the last range that
    // holds it, in pair order; as read when no range holds it.
    std::int32_t renumber(std::int32_t v) const;

private:
    // Indexed from 1. Entries past the current group's pairs keep what an
    // earlier group left; they are never consulted.
    std::array<std::int32_t, max_pairs + 1> ond_{};
    std::array<std::int32_t, max_pairs + 1> nnd_{};
    std::array<std::int32_t, max_pairs + 1> ndiff_{};
    std::int32_t pairs_ = 0;
};

}  // namespace topo
