// A coordinate of the picture as text, fast: the same characters as
// plots::number (at most two decimals, no trailing zeros, never "-0"), made
// without printf for the millions of corners of a large mesh; and an
// element's polygon made of them.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "meshplot/mesh_check.hpp"
#include "plots/axes.hpp"
#include "plots/svg.hpp"

namespace meshplot {

// Writes `value` as plots::number writes it from `out` on (room for 24
// characters); returns the end. Nothing when the value takes the general
// path (returns `out`).
inline char* put_coordinate(char* out, double value) {
    // The hundredths, rounded as printf rounds the exact value, half to
    // even. The product is rounded once, by far less than a hundredth:
    // only a value within a hair of a half hundredth could round the other
    // way, and that one (and any too large for the digits below) takes
    // plots::number's own path.
    double hundredths = value * 100.0;
    if (!(std::abs(hundredths) < 1e15) || std::abs(hundredths - std::floor(hundredths) - 0.5) < 1e-6) return out;
    auto n = static_cast<std::int64_t>(std::nearbyint(hundredths));
    if (n == 0) {
        *out++ = '0';
        return out;
    }
    if (n < 0) {
        *out++ = '-';
        n = -n;
    }
    char digits[20];
    char* end = digits + sizeof digits;
    char* at = end;
    std::int64_t fraction = n % 100;
    for (std::int64_t whole = n / 100;;) {
        *--at = static_cast<char>('0' + whole % 10);
        whole /= 10;
        if (whole == 0) break;
    }
    while (at != end) *out++ = *at++;
    if (fraction != 0) {
        *out++ = '.';
        *out++ = static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) *out++ = static_cast<char>('0' + fraction % 10);
    }
    return out;
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

// "<polygon points="x,y x,y x,y" data-number="N"" and the rest of the
// element as one line of markup, written without the general helpers for
// the millions of elements of a large mesh.
inline void append_polygon(std::string& out, const corner_points& p, const plots::chart_scales& s, std::int32_t number) {
    out += "<polygon points=\"";
    for (std::size_t k = 0; k < 3; ++k) {
        if (k > 0) out += ' ';
        append_coordinate(out, s.x(p.h[k]));
        out += ',';
        append_coordinate(out, s.y(p.v[k]));
    }
    out += "\" data-number=\"";
    char digits[16];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
    out += '"';
}

}  // namespace meshplot
