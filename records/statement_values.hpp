// The values of a statement whose list is known in advance, by their kind:
// where a value read goes (input_place) and a value to write (output_value).
#pragma once

#include <bit>
#include <cstdint>
#include <type_traits>

#include "records/format.hpp"

namespace records {

// Where a value read goes, by its kind.
struct input_place {
    item_kind kind;  // integer, fixed (a real, for Fw.d and Ew.d) or character
    void* address;
    explicit input_place(std::int32_t& v) : kind(item_kind::integer), address(&v) {}
    explicit input_place(float& v) : kind(item_kind::fixed), address(&v) {}
    explicit input_place(char& v) : kind(item_kind::character), address(&v) {}
};

// One value of a write statement, kept as its kind and its bits: two values
// of one kind edit alike exactly when their bits agree.
struct output_value {
    item_kind kind;  // integer, fixed or character
    std::uint32_t bits;
    explicit output_value(std::int32_t v) : kind(item_kind::integer), bits(static_cast<std::uint32_t>(v)) {}
    explicit output_value(float v) : kind(item_kind::fixed), bits(std::bit_cast<std::uint32_t>(v)) {}
    explicit output_value(char v) : kind(item_kind::character), bits(static_cast<unsigned char>(v)) {}
    std::int32_t integer() const { return static_cast<std::int32_t>(bits); }
    float real() const { return std::bit_cast<float>(bits); }
    char character() const { return static_cast<char>(bits); }
};

// The kinds of C++ value a single item of a statement takes.
template <typename T>
inline constexpr bool is_single_value =
    std::is_same_v<T, std::int32_t> || std::is_same_v<T, float> || std::is_same_v<T, char>;

}  // namespace records
