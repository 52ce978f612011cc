// What the writers of the three mesh files share: a line of text with
// numbers in it, and the model's elements grouped by a key (type code,
// angle, or both).
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "mesh/large_tables.hpp"
#include "meshexport/mesh_writers.hpp"
#include "records/run.hpp"

namespace meshexport {

// A line of text in which each '#' stands for a number written with exactly
// its digits: line(r, u, "<Piece NumberOfPoints=\"#\">", {72}).
void line(records::run& r, records::output_unit unit, std::string_view pattern, std::initializer_list<std::int32_t> numbers = {});

inline std::int32_t count(std::size_t n) { return static_cast<std::int32_t>(n); }

// The type code of an element, a key to group elements by.
inline std::int32_t type_of(const element_record& e) { return e.type; }

// The values key_of(element) takes over the model, ascending, each once.
// A model holds few: each element's key is looked up among those found so
// far (the last one first, since neighbours share it), and only a model with
// many sorts them all.
template <typename KeyOf>
auto distinct_keys(const mesh& m, KeyOf key_of) {
    using key = decltype(key_of(m.elements.front()));
    constexpr std::size_t few = 256;
    std::vector<key> keys;
    for (std::size_t i = 0; i < m.elements.size(); ++i) {
        key k = key_of(m.elements[i]);
        if (i > 0 && k == key_of(m.elements[i - 1])) continue;
        auto at = std::lower_bound(keys.begin(), keys.end(), k);
        if (at != keys.end() && *at == k) continue;
        if (keys.size() == few) {
            keys.clear();
            keys.reserve(m.elements.size());
            for (const element_record& e : m.elements) keys.push_back(key_of(e));
            std::sort(keys.begin(), keys.end());
            keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
            return keys;
        }
        keys.insert(at, k);
    }
    return keys;
}

// Hands each group of elements with one key to each(key, positions), in
// ascending order of key (`keys`, those of distinct_keys); the positions
// (into m.elements) of a group are in table order. The elements are counted
// by group, then placed group by group, each element's group found again
// (neighbours mostly share it).
template <typename Key, typename KeyOf, typename Each>
void for_each_group(const mesh& m, const std::vector<Key>& keys, KeyOf key_of, Each each) {
    const std::size_t n = m.elements.size();
    std::uint32_t last = 0;  // the group of the element before
    auto group_of = [&](std::size_t i) {
        auto k = key_of(m.elements[i]);
        if (keys[last] != k) last = static_cast<std::uint32_t>(std::lower_bound(keys.begin(), keys.end(), k) - keys.begin());
        return last;
    };
    std::vector<std::uint32_t> first(keys.size() + 1, 0);  // of each group in `order`
    for (std::size_t i = 0; i < n; ++i) ++first[group_of(i) + 1];
    for (std::size_t g = 1; g < first.size(); ++g) first[g] += first[g - 1];
    mesh_model::large_array<std::uint32_t> order(n);
    std::vector<std::uint32_t> next(first.begin(), first.end() - 1);
    for (std::size_t i = 0; i < n; ++i) order[next[group_of(i)]++] = static_cast<std::uint32_t>(i);
    for (std::size_t g = 0; g < keys.size(); ++g)
        each(keys[g], std::span<const std::uint32_t>(order.data() + first[g], first[g + 1] - first[g]));
}

// The same, the keys found first.
template <typename KeyOf, typename Each>
void for_each_group(const mesh& m, KeyOf key_of, Each each) {
    for_each_group(m, distinct_keys(m, key_of), key_of, each);
}

}  // namespace meshexport
