// The elements of "wtopo.out" as the check and the picture take them, in
// little memory: each element's three nodes, and its number and its group
// (angle and type code) by runs, the way topo writes them: numbers counting
// up by one, and a group's elements one after another. An element numbered
// out of turn, or of another group than the one before, starts a run of
// its own, so any table is held, a table of that kind in twelve bytes an
// element.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "layouts/mesh_tables.hpp"
#include "mesh/large_tables.hpp"
#include "mesh/record_lines.hpp"

namespace meshplot {

// An element record: number, three nodes, angle, type code.
using element_record = layouts::element_record;

class element_table {
public:
    element_table() = default;
    // The records, each on the line of its position.
    explicit element_table(const std::vector<element_record>& records);

    // Room for `count` elements (as far as a vector can hold them), taken
    // at once.
    void reserve(std::size_t count);
    // The next record of the table, on `line` of its file. Past 2^32 - 1
    // elements, an internal fault (std::length_error).
    void add(const element_record& e, long line);

    std::size_t size() const { return nodes_.size(); }
    const std::array<std::int32_t, 3>& nodes(std::size_t position) const { return nodes_[position]; }
    // The whole record at `position`.
    element_record operator[](std::size_t position) const;
    // Its line in the file.
    long line(std::size_t position) const { return lines_.line(position); }

    // visit(position, record) for every element in table order, faster
    // than taking them one by one; or for those from position `from` up to
    // `to`.
    template <typename Visit>
    void for_each(Visit visit) const {
        for_each(0, size(), visit);
    }
    template <typename Visit>
    void for_each(std::size_t from, std::size_t to, Visit visit) const {
        if (from >= to) return;
        std::size_t n = run_index(numbers_, from), g = run_index(groups_, from);
        for (std::size_t i = from; i < to; ++i) {
            while (n + 1 < numbers_.size() && numbers_[n + 1].from <= i) ++n;
            while (g + 1 < groups_.size() && groups_[g + 1].from <= i) ++g;
            visit(i, record(i, numbers_[n], groups_[g]));
        }
    }

private:
    // The elements from position `from` on, up to the next run.
    struct number_run {
        std::uint32_t from;
        std::int32_t number;  // of the first; each next one is one more
    };
    struct group_run {
        std::uint32_t from;
        float angle;
        std::int32_t type;
    };
    // The index of the run that holds `position`, of a table that does:
    // the last run from it or before.
    template <typename Run>
    static std::size_t run_index(const std::vector<Run>& runs, std::size_t position) {
        auto after = std::upper_bound(runs.begin(), runs.end(), position,
                                      [](std::size_t p, const Run& r) { return p < r.from; });
        return static_cast<std::size_t>(after - runs.begin()) - 1;
    }
    element_record record(std::size_t position, const number_run& n, const group_run& g) const {
        return {static_cast<std::int32_t>(n.number + static_cast<std::int64_t>(position - n.from)), nodes_[position],
                g.angle, g.type};
    }

    mesh_model::large_table<std::array<std::int32_t, 3>> nodes_;
    std::vector<number_run> numbers_;
    std::vector<group_run> groups_;
    mesh_model::record_lines lines_;
};

}  // namespace meshplot
