// A coordinate of the picture as text, fast: the same characters as
// plots::number (at most two decimals, no trailing zeros, never "-0"), made
// without printf for the millions of corners of a large mesh.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "plots/svg.hpp"

namespace meshplot {

// The hundredths that plots::number writes `value` with, rounded as printf
// rounds the exact value, half to even; false when they are not told fast.
// The product is rounded once, by far less than a hundredth: only a value
// within a hair of a half hundredth could round the other way, and that one
// (and any too large for the digits of put_hundredths) takes plots::number's
// own path.
inline bool fast_hundredths(double value, std::int64_t& hundredths) {
    double product = value * 100.0;
    if (!(std::abs(product) < 1e15) || std::abs(product - std::floor(product) - 0.5) < 1e-6) return false;
    hundredths = static_cast<std::int64_t>(std::nearbyint(product));
    return true;
}

// The digits of 0 to 99, two by two.
inline constexpr char digit_pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes `hundredths` / 100 as plots::number writes it from `out` on (room
// for 17 characters: below 1e15 hundredths, a sign, 13 digits, a point and
// two decimals; a value that rounds to zero is "0", never "-0"); returns
// the end. The picture's coordinates have at most four whole digits, which
// are written two at a time.
inline char* put_hundredths(char* out, std::int64_t hundredths) {
    if (hundredths < 0) {
        *out++ = '-';
        hundredths = -hundredths;
    }
    std::int64_t whole = hundredths / 100;
    const char* fraction = digit_pairs + 2 * (hundredths % 100);
    if (whole < 10) {
        *out++ = static_cast<char>('0' + whole);
    } else if (whole < 100) {
        *out++ = digit_pairs[2 * whole];
        *out++ = digit_pairs[2 * whole + 1];
    } else if (whole < 10000) {
        const char* high = digit_pairs + 2 * (whole / 100);
        const char* low = digit_pairs + 2 * (whole % 100);
        if (whole >= 1000) *out++ = high[0];
        *out++ = high[1];
        *out++ = low[0];
        *out++ = low[1];
    } else {
        out = std::to_chars(out, out + 13, whole).ptr;
    }
    if (fraction[0] != '0' || fraction[1] != '0') {
        *out++ = '.';
        *out++ = fraction[0];
        if (fraction[1] != '0') *out++ = fraction[1];
    }
    return out;
}

// Writes `value` as plots::number writes it from `out` on (room for 17
// characters); returns the end. Nothing when the value takes the general
// path (returns `out`).
inline char* put_coordinate(char* out, double value) {
    std::int64_t hundredths = 0;
    return fast_hundredths(value, hundredths) ? put_hundredths(out, hundredths) : out;
}

// Appends `value` as plots::number writes it.
inline void append_coordinate(std::string& out, double value) {
    char text[24];
    char* end = put_coordinate(text, value);
    if (end == text)
        out += plots::number(value);
    else
        out.append(text, end);
}

}  // namespace meshplot
