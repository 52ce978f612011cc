// Records found by their number, and numbers given before: for the nodes
// that elements name, and for the numbers a table gives twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace mesh_model {

// What an I6 field holds, the tables' numbers.
inline constexpr std::int32_t least_number = -99999;
inline constexpr std::int32_t greatest_number = 999999;

// Records found by their number, such as the node an element names: one
// slot for every number an I6 field holds (-99999 to 999999), four bytes
// each, so a number is found at once. The slots are taken zeroed from the
// system (mesh/large_tables.hpp) at the first number given, and only the
// pages of the numbers given are ever touched.
class number_index {
public:
    // The position in its table, plus 1, of the record given that number
    // last; 0 when no record has it.
    std::int32_t find(std::int32_t number) const {
        return slots_ && number >= least_number && number <= greatest_number ? slots_[number - least_number] : 0;
    }

    // The same, for a number used as an index: `index[n] - 1` is the
    // position of the record numbered n.
    std::int32_t operator[](std::size_t number) const {
        return number <= static_cast<std::size_t>(greatest_number) ? find(static_cast<std::int32_t>(number)) : 0;
    }

    // The record at `position` (from 0) of its table has that number; it
    // is the one found from now on. Returns what find gave before: 0 when
    // the number is new, else the position plus 1 of the record that had
    // it. A number beyond an I6 field's, or a position beyond 2^31 - 2,
    // is an internal fault (std::out_of_range).
    std::int32_t put(std::int32_t number, std::size_t position);

    number_index() = default;
    number_index(const number_index&) = delete;
    number_index& operator=(const number_index&) = delete;
    number_index(number_index&& other) noexcept : slots_(std::exchange(other.slots_, nullptr)) {}
    number_index& operator=(number_index&& other) noexcept {
        std::swap(slots_, other.slots_);
        return *this;
    }
    ~number_index();

private:
    static constexpr std::size_t slot_count = static_cast<std::size_t>(greatest_number - least_number) + 1;
    std::int32_t* slots_ = nullptr;
};

// Which numbers were given, when their records need not be found: one bit
// for every number an I6 field holds (137 KB), taken at the first number.
class number_set {
public:
    // Adds the number; false when it was there already. A number beyond an
    // I6 field's is an internal fault (std::out_of_range).
    bool insert(std::int32_t number);
    bool contains(std::int32_t number) const {
        return !bits_.empty() && number >= least_number && number <= greatest_number &&
               bits_[static_cast<std::size_t>(number - least_number)];
    }

private:
    std::vector<bool> bits_;
};

}  // namespace mesh_model
