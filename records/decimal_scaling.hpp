// Exact decimal scaling of a 32-bit real, shared by the Iw, Fw.d and Ew.d
// editing: the powers of ten, the number of decimal digits of an integer,
// and a magnitude times 10^d cut to an integer and rounded, ties to even.
#pragma once

#include <bit>
#include <cstdint>

namespace records::editing {

// 10^0 to 10^19, every power of ten a 64-bit integer holds.
inline constexpr std::uint64_t powers_of_ten[] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000, 100000000000,
    1000000000000, 10000000000000, 100000000000000, 1000000000000000, 10000000000000000, 100000000000000000,
    1000000000000000000, 10000000000000000000u};

// The number of decimal digits of n (1 for 0): 1233 / 4096 is just above
// log10(2), so the estimate from the bit length is the count or one less.
// n | 1 has as many digits as n, and one for 0.
inline int decimal_digits(std::uint64_t n) {
    n |= 1;
    int estimate = (std::bit_width(n) * 1233) >> 12;
    return estimate + (n >= powers_of_ten[estimate] ? 1 : 0);
}

// A magnitude times 10^decimals, cut to an integer and rounded to one.
struct scaled_value {
    std::uint64_t floor = 0;
    std::uint64_t rounded = 0;
};

// A finite magnitude as m * 2^e, m below 2^24 (a subnormal's exponent is
// that of the smallest normal).
struct binary_parts {
    std::uint64_t m = 0;
    int e = 0;
};
inline binary_parts parts_of(float magnitude) {
    auto bits = std::bit_cast<std::uint32_t>(magnitude);
    auto biased = static_cast<int>((bits >> 23) & 0xff);
    if (biased == 0) return {bits & 0x7fffff, -149};
    return {(bits & 0x7fffff) | 0x800000, biased - 150};
}

// Scales exactly, for up to 9 decimals and magnitudes below 2^34: a float is
// m * 2^e with m below 2^24, so m * 10^d is below 2^54 and one shift with a
// look at the bits shifted out gives the floor and the rounding, ties to
// even. Returns false when the value is not covered.
inline bool scale_exactly(float magnitude, int decimals, scaled_value& s) {
    if (decimals < 0 || decimals > 9) return false;
    auto [m, e] = parts_of(magnitude);
    std::uint64_t product = m * powers_of_ten[decimals];
    s = {};
    if (e >= 0) {
        if (e > 10) return false;
        s.floor = s.rounded = product << e;
    } else if (-e < 64) {
        int shift = -e;
        s.floor = s.rounded = product >> shift;
        std::uint64_t rest = product & ((std::uint64_t{1} << shift) - 1);
        std::uint64_t half = std::uint64_t{1} << (shift - 1);
        if (rest > half || (rest == half && (s.floor & 1) != 0)) ++s.rounded;
    }
    return true;
}

}  // namespace records::editing
