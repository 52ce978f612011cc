// Ew.d output editing: the body 0.d1...dd E+xx by exact integer arithmetic
// where it covers the value, by the general conversion otherwise.
#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "records/decimal_scaling.hpp"
#include "records/number_placing.hpp"
#include "records/output_editing.hpp"

namespace records {
namespace {

using namespace editing;

// Writes "E", the exponent's sign and two digits; 32-bit reals never need
// more (E+39 to E-44).
char* put_exponent_suffix(char* out, int exponent) {
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    int magnitude = exponent < 0 ? -exponent : exponent;
    *out++ = static_cast<char>('0' + magnitude / 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

// The E body "0.d1...dd E±xx" of a magnitude through the general conversion.
// Scientific notation with d - 1 fraction digits gives d1.d2...dd and an
// exponent one lower; a rounding carry (0.99996 to 1.00) is already folded in.
char* exponent_body_general(float magnitude, int digits, char* out) {
    *out++ = '0';
    *out++ = '.';
    if (magnitude == 0.0f) {
        std::fill_n(out, digits, '0');
        return put_exponent_suffix(out + digits, 0);
    }
    std::array<char, 320> buf;
    auto result = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::scientific,
                                digits - 1);
    std::string_view sci(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
    std::size_t e = sci.find('e');
    *out++ = sci[0];
    for (std::size_t i = 2; i < e; ++i) *out++ = sci[i];
    std::string_view exp_text = sci.substr(e + 1);
    if (exp_text.front() == '+') exp_text.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), exponent);
    return put_exponent_suffix(out, exponent + 1);
}

// 128-bit integers, for magnitudes scaled by more than 64 bits hold.
using wide = unsigned __int128;

// 10^0 to 10^38, every power of ten below 2^127.
constexpr auto wide_powers = [] {
    std::array<wide, 39> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
}();

int bit_width(wide n) {
    auto high = static_cast<std::uint64_t>(n >> 64);
    return high != 0 ? 64 + std::bit_width(high) : std::bit_width(static_cast<std::uint64_t>(n));
}

// What scale_exactly gives, for decimals from -38 to 29: the magnitude,
// m * 2^e, times 10^decimals as the quotient of two integers of at most 127
// bits, m * 10^decimals * 2^e over 1, or m * 2^e over 10^-decimals, either
// shifted where 2^e is a fraction; the rest of the division rounds it, ties
// to even. False when the value is not covered, or its floor does not fit
// 64 bits.
bool scale_wide(float magnitude, int decimals, scaled_value& s) {
    if (decimals < -38 || decimals > 29) return false;
    auto [m, e] = parts_of(magnitude);
    wide numerator = m;
    wide denominator = 1;
    if (decimals >= 0) numerator *= wide_powers[static_cast<std::size_t>(decimals)];  // below 2^121
    else denominator = wide_powers[static_cast<std::size_t>(-decimals)];
    if (e >= 0) {
        if (bit_width(numerator) + e > 127) return false;
        numerator <<= e;
    } else if (decimals >= 0) {
        // Over 2^-e: a shift. Past 127 bits the value is below a half.
        int shift = -e;
        wide floor = shift < 128 ? numerator >> shift : 0;
        wide rest = shift < 128 ? numerator & ((wide{1} << shift) - 1) : numerator;
        bool above_half = shift < 128 && (rest > (wide{1} << (shift - 1)) ||
                                          (rest == (wide{1} << (shift - 1)) && (floor & 1) != 0));
        if ((floor >> 64) != 0) return false;
        s.floor = static_cast<std::uint64_t>(floor);
        s.rounded = s.floor + (above_half ? 1 : 0);
        return true;
    } else {
        if (bit_width(denominator) - e > 127) return false;
        denominator <<= -e;
    }
    wide floor = numerator / denominator;
    wide rest = numerator % denominator;
    if ((floor >> 64) != 0) return false;
    s.floor = static_cast<std::uint64_t>(floor);
    s.rounded = s.floor + (2 * rest > denominator || (2 * rest == denominator && (s.floor & 1) != 0) ? 1 : 0);
    return true;
}

// What scale_exactly gives, for decimals from -19 to -1 (a magnitude of
// 10^digits or more, such as stresses in pascals): m * 2^e over 10^-decimals
// in 64-bit integers, the power of two on whichever side it is whole. False
// when either side passes 64 bits.
bool scale_down(float magnitude, int decimals, scaled_value& s) {
    if (decimals >= 0 || decimals < -19) return false;
    auto [numerator, e] = parts_of(magnitude);
    std::uint64_t denominator = powers_of_ten[-decimals];
    if (e >= 0) {
        if (e > 40) return false;  // m is below 2^24
        numerator <<= e;
    } else {
        if (-e >= std::countl_zero(denominator)) return false;
        denominator <<= -e;
    }
    s.floor = numerator / denominator;
    std::uint64_t rest = numerator % denominator;
    std::uint64_t other = denominator - rest;  // rest against half the denominator, without overflow
    s.rounded = s.floor + (rest > other || (rest == other && (s.floor & 1) != 0) ? 1 : 0);
    return true;
}

// The digits of the body 0.d1...dd E±xx by exact integer arithmetic: the
// magnitude's first `digits` decimal digits, rounded, ties to even, as an
// integer `shown` of exactly that many digits, and the exponent x, for a
// nonzero magnitude whose decimal exponent x (10^(x-1) <= magnitude < 10^x)
// leaves from -38 to 29 decimals to keep (digits - x). With 0 to 9
// decimals, the most common, magnitude * 10^(digits - x) is m * 2^e * 10^n
// with m below 2^24 and n at most 9, exactly m * 10^n (below 2^54) shifted
// by e, which scale_exactly computes with its floor and the rounding of the
// bits shifted out, ties to even, as edit_fixed_fast does; a magnitude of
// 10^digits or more is m * 2^e over a power of ten, which scale_down
// divides in 64 bits; scale_wide does the same in 128 bits for the other
// decimals (magnitudes of 2^64 and more, small strains). The floor lies in
// [10^(digits-1), 10^digits) exactly when x is the decimal exponent, since
// both bounds are integers; the rounded value has `digits` digits, or is
// 10^digits after a carry, which is 0.10...0 with x + 1. False when the
// value is not covered.
bool exponent_digits(float magnitude, int digits, std::uint64_t& shown, int& x) {
    if (magnitude == 0.0f || digits < 1 || digits > 9) return false;
    auto bits = std::bit_cast<std::uint32_t>(magnitude);
    int binary_exponent = static_cast<int>((bits >> 23) & 0xff) - 127;
    // log10(2) = 0.30103; the estimate of x is at most one off.
    x = (binary_exponent * 30103 + (binary_exponent < 0 ? -99999 : 0)) / 100000 + 1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        int decimals = digits - x;
        scaled_value s;
        bool scaled = decimals >= 0 && decimals <= 9
                          ? scale_exactly(magnitude, decimals, s)
                          : scale_down(magnitude, decimals, s) || scale_wide(magnitude, decimals, s);
        if (!scaled) return false;
        if (s.floor < powers_of_ten[digits - 1]) {
            --x;
        } else if (s.floor >= powers_of_ten[digits]) {
            ++x;
        } else {
            shown = s.rounded;
            if (shown == powers_of_ten[digits]) {
                shown = powers_of_ten[digits - 1];
                ++x;
            }
            return true;
        }
    }
    return false;
}

// Ew.d through the general conversion, kept apart like edit_fixed_general.
[[gnu::noinline]] void edit_exponent_general(char* field, float value, int width, int digits) {
    // The sign, then the body 0.d1...dd E±xx: at most 255 digits and 8 more
    // characters.
    std::array<char, 272> buf;
    char* body = buf.data() + 1;
    char* end = exponent_body_general(std::fabs(value), digits, body);
    edit_signed_number(field, std::signbit(value), body, end, width);
}

}  // namespace

void edit_exponent(char* field, float value, int width, int digits) {
    if (!std::isfinite(value)) return edit_non_finite(field, value, width);
    std::uint64_t shown = 0;
    int x = 0;
    if (!exponent_digits(std::fabs(value), digits, shown, x)) return edit_exponent_general(field, value, width, digits);
    // The sign, "0.", the digits and E±xx go straight to their place in
    // the blank field: the 0 is left out when only that makes it fit, as
    // edit_signed_number does.
    bool negative = std::signbit(value);
    int length = (negative ? 1 : 0) + 2 + digits + 4;
    bool zero = length <= width;
    if (!zero) --length;
    if (length > width) {
        std::memset(field, '*', static_cast<std::size_t>(width));
        return;
    }
    char* out = field + (width - length);
    if (negative) *out++ = '-';
    if (zero) *out++ = '0';
    *out++ = '.';
    std::to_chars(out, out + digits, shown);
    put_exponent_suffix(out + digits, x);
}

}  // namespace records
