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

// The type code of an element, a key to group elements by. The keys are
// function objects, so that the passes over the elements that look at them
// have them compiled in.
inline constexpr auto type_of = [](const element_record& e) { return e.type; };

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

// The positions (into m.elements) of the elements whose key is `key`, in
// table order, found by looking at each element's key in turn: for a model
// of few groups, which then needs no list of positions of its own.
template <typename Key, typename KeyOf>
class scanned_group {
public:
    scanned_group(const mesh& m, KeyOf key_of, Key key, std::size_t count)
        : m_(&m), key_of_(key_of), key_(key), count_(count) {}

    class iterator {
    public:
        iterator(const scanned_group* group, std::size_t at) : group_(group), at_(at) { to_member(); }
        std::uint32_t operator*() const { return static_cast<std::uint32_t>(at_); }
        iterator& operator++() {
            ++at_;
            to_member();
            return *this;
        }
        bool operator!=(const iterator& other) const { return at_ != other.at_; }

    private:
        void to_member() {
            const auto& elements = group_->m_->elements;
            while (at_ < elements.size() && !(group_->key_of_(elements[at_]) == group_->key_)) ++at_;
        }
        const scanned_group* group_;
        std::size_t at_;
    };
    iterator begin() const { return {this, 0}; }
    iterator end() const { return {this, m_->elements.size()}; }
    std::size_t size() const { return count_; }

private:
    const mesh* m_;
    KeyOf key_of_;
    Key key_;
    std::size_t count_;
};

// Hands each group of elements with one key to each(key, positions), in
// ascending order of key (`keys`, those of distinct_keys); `positions` is
// a range of the group's positions (into m.elements), in table order, with
// its size(). The elements are counted by group, each element's group found
// by its key (neighbours mostly share it). A model of few groups has each
// group's elements looked for in the table, one pass for each group; a
// model of more has them placed group by group in a list of positions,
// which takes 4 bytes an element.
template <typename Key, typename KeyOf, typename Each>
void for_each_group(const mesh& m, const std::vector<Key>& keys, KeyOf key_of, Each each) {
    constexpr std::size_t few_groups = 8;
    const std::size_t n = m.elements.size();
    std::uint32_t last = 0;  // the group of the element before
    auto group_of = [&](std::size_t i) {
        auto k = key_of(m.elements[i]);
        if (keys[last] != k) last = static_cast<std::uint32_t>(std::lower_bound(keys.begin(), keys.end(), k) - keys.begin());
        return last;
    };
    std::vector<std::uint32_t> first(keys.size() + 1, 0);  // of each group in `order`
    for (std::size_t i = 0; i < n; ++i) ++first[group_of(i) + 1];
    if (keys.size() <= few_groups) {
        for (std::size_t g = 0; g < keys.size(); ++g)
            each(keys[g], scanned_group<Key, KeyOf>(m, key_of, keys[g], first[g + 1]));
        return;
    }
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
