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

#include "meshexport/mesh_writers.hpp"
#include "records/run.hpp"

namespace meshexport {

// A line of text in which each '#' stands for a number written with exactly
// its digits: line(r, u, "<Piece NumberOfPoints=\"#\">", {72}).
void line(records::run& r, int unit, std::string_view pattern, std::initializer_list<std::int32_t> numbers = {});

inline std::int32_t count(std::size_t n) { return static_cast<std::int32_t>(n); }

// The type code of an element, a key to group elements by.
inline std::int32_t type_of(const element_record& e) { return e.type; }

// The values key_of(element) takes over the model, ascending, each once.
template <typename KeyOf>
auto distinct_keys(const mesh& m, KeyOf key_of) {
    std::vector<decltype(key_of(m.elements.front()))> keys;
    keys.reserve(m.elements.size());
    for (const element_record& e : m.elements) keys.push_back(key_of(e));
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

// Hands each group of elements with one key to each(key, positions), in
// ascending order of key; the positions (into m.elements) of a group are in
// table order.
template <typename KeyOf, typename Each>
void for_each_group(const mesh& m, KeyOf key_of, Each each) {
    std::vector<std::uint32_t> order(m.elements.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return key_of(m.elements[a]) < key_of(m.elements[b]);
    });
    for (std::size_t first = 0; first < order.size();) {
        auto key = key_of(m.elements[order[first]]);
        std::size_t last = first;
        while (last < order.size() && key_of(m.elements[order[last]]) == key) ++last;
        each(key, std::span<const std::uint32_t>(order.data() + first, last - first));
        first = last;
    }
}

}  // namespace meshexport
