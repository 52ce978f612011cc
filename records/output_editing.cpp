#include "records/output_editing.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace records {
namespace {

// Writes `text` right-justified in the blank field, or asterisks when it
// does not fit.
void justify(char* field, int width, const char* text, std::size_t length) {
    auto w = static_cast<std::size_t>(width);
    if (length > w) {
        std::memset(field, '*', w);
        return;
    }
    std::memcpy(field + (w - length), text, length);
}

void justify(char* field, int width, std::string_view text) { justify(field, width, text.data(), text.size()); }

// Infinities and not-a-numbers, the longest spelling that fits.
void edit_non_finite(char* field, float value, int width) {
    if (std::isnan(value)) {
        justify(field, width, "NaN");
    } else if (std::signbit(value)) {
        justify(field, width, width >= 9 ? "-Infinity" : "-Inf");
    } else {
        justify(field, width, width >= 8 ? "Infinity" : "Inf");
    }
}

// Writes sign, optional leading 0 and the body [body, end) (which starts
// with "0." when the integer part is zero), dropping the 0 only when the
// field has no room. The character before `body` is free for the sign.
void edit_signed_number(char* field, bool negative, char* body, const char* end, int width) {
    auto w = static_cast<std::size_t>(width);
    auto length = static_cast<std::size_t>(end - body) + (negative ? 1 : 0);
    if (length > w && end - body >= 2 && body[0] == '0' && body[1] == '.') {
        ++body;
        --length;
    }
    if (negative) *--body = '-';
    justify(field, width, body, length);
}

constexpr std::uint64_t powers_of_ten[] = {1,
                                           10,
                                           100,
                                           1000,
                                           10000,
                                           100000,
                                           1000000,
                                           10000000,
                                           100000000,
                                           1000000000,
                                           10000000000,
                                           100000000000,
                                           1000000000000,
                                           10000000000000,
                                           100000000000000,
                                           1000000000000000,
                                           10000000000000000,
                                           100000000000000000,
                                           1000000000000000000,
                                           10000000000000000000u};

// The number of decimal digits of n (1 for 0): 1233 / 4096 is just above
// log10(2), so the estimate from the bit length is the count or one less.
// n | 1 has as many digits as n, and one for 0.
int decimal_digits(std::uint64_t n) {
    n |= 1;
    int estimate = (std::bit_width(n) * 1233) >> 12;
    return estimate + (n >= powers_of_ten[estimate] ? 1 : 0);
}

// A magnitude times 10^decimals, cut to an integer and rounded to one.
struct scaled_value {
    std::uint64_t floor = 0;
    std::uint64_t rounded = 0;
};

// Scales exactly, for up to 9 decimals and magnitudes below 2^34: a float is
// m * 2^e with m below 2^24, so m * 10^d is below 2^54 and one shift with a
// look at the bits shifted out gives the floor and the rounding, ties to
// even. Returns false when the value is not covered.
bool scale_exactly(float magnitude, int decimals, scaled_value& s) {
    if (decimals < 0 || decimals > 9) return false;
    auto bits = std::bit_cast<std::uint32_t>(magnitude);
    auto biased = static_cast<int>((bits >> 23) & 0xff);
    std::uint64_t m = bits & 0x7fffff;
    int e = -149;
    if (biased != 0) {
        m |= 0x800000;
        e = biased - 150;
    }
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

// Writes the magnitude rounded to `digits` decimals, ties to even, into the
// blank field: integer digits (a 0 when there are none and the field has
// room for it), the point and the decimals, after a minus sign when
// `negative`; asterisks when it does not fit. The digits go straight to
// their place, which is known from their count. Returns false, writing
// nothing, when scale_exactly does not cover the value.
bool edit_fixed_fast(char* field, int width, bool negative, float magnitude, int digits) {
    scaled_value s;
    if (!scale_exactly(magnitude, digits, s)) return false;
    // A rounded value below 10^digits has no integer digits: with no
    // decimals that is a rounded 0, written as the point alone or "0.".
    int count = decimal_digits(s.rounded);
    int integer_digits = s.rounded >= powers_of_ten[digits] ? count - digits : 0;
    bool zero_before_point = integer_digits == 0;
    int length = (zero_before_point ? 1 : integer_digits) + 1 + digits + (negative ? 1 : 0);
    if (length > width && zero_before_point) {
        zero_before_point = false;
        --length;
    }
    if (length > width) {
        std::memset(field, '*', static_cast<std::size_t>(width));
        return true;
    }
    char* end = field + width;
    char* out = end - length;
    // The 32-bit conversion is the quicker one, and covers most fields.
    auto put_digits = [&s](char* first, char* last) {
        if (s.rounded <= UINT32_MAX) std::to_chars(first, last, static_cast<std::uint32_t>(s.rounded));
        else std::to_chars(first, last, s.rounded);
    };
    if (negative) *out++ = '-';
    if (zero_before_point) *out++ = '0';
    if (integer_digits == 0) {
        // .000ddd: the decimals padded with zeros in front; none for Fw.0.
        *out++ = '.';
        if (digits > 0) {
            while (out < end - count) *out++ = '0';
            put_digits(out, end);
        }
    } else {
        // The digits go in one place to the right, then the integer digits
        // move left over the place of the point.
        put_digits(out + 1, end);
        if (integer_digits == 1) {
            out[0] = out[1];
        } else if (integer_digits == 2) {
            out[0] = out[1];
            out[1] = out[2];
        } else {
            std::memmove(out, out + 1, static_cast<std::size_t>(integer_digits));
        }
        out[integer_digits] = '.';
    }
    return true;
}

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

// The same body by exact integer arithmetic, for the magnitudes and digit
// counts the suite's E fields meet: a nonzero magnitude below 2^34 whose
// decimal exponent x (10^(x-1) <= magnitude < 10^x) leaves 0 to 9 decimals
// to keep (0 <= digits - x <= 9). Then magnitude * 10^(digits - x) is
// m * 2^e * 10^n with m below 2^24 and n at most 9, exactly m * 10^n (below
// 2^54) shifted by e, which scale_exactly computes with its floor and the
// rounding of the bits shifted out, ties to even, as edit_fixed_fast does.
// The floor lies in [10^(digits-1), 10^digits) exactly when x is the decimal
// exponent, since both bounds are integers; the rounded value has `digits`
// digits, or is 10^digits after a carry, which is 0.10...0 with x + 1.
// Returns nullptr when the value is not covered.
char* exponent_body_fast(float magnitude, int digits, char* out) {
    if (magnitude == 0.0f || digits < 1 || digits > 9) return nullptr;
    auto bits = std::bit_cast<std::uint32_t>(magnitude);
    int binary_exponent = static_cast<int>((bits >> 23) & 0xff) - 127;
    // log10(2) = 0.30103; the estimate of x is at most one off.
    int x = (binary_exponent * 30103 + (binary_exponent < 0 ? -99999 : 0)) / 100000 + 1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        int decimals = digits - x;
        if (decimals < 0 || decimals > 9) return nullptr;
        scaled_value s;
        if (!scale_exactly(magnitude, decimals, s)) return nullptr;
        if (s.floor < powers_of_ten[digits - 1]) {
            --x;
        } else if (s.floor >= powers_of_ten[digits]) {
            ++x;
        } else {
            std::uint64_t shown = s.rounded;
            if (shown == powers_of_ten[digits]) {
                shown = powers_of_ten[digits - 1];
                ++x;
            }
            *out++ = '0';
            *out++ = '.';
            auto result = std::to_chars(out, out + digits, shown);
            return put_exponent_suffix(result.ptr, x);
        }
    }
    return nullptr;
}
}  // namespace

void edit_integer(char* field, std::int32_t value, int width) {
    // The flags and codes of the tables are single digits: no conversion
    // needed.
    if (value >= 0 && value <= 9) {
        field[width - 1] = static_cast<char>('0' + value);
        return;
    }
    std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    int count = decimal_digits(magnitude);
    if (count + (value < 0 ? 1 : 0) > width) {
        std::memset(field, '*', static_cast<std::size_t>(width));
        return;
    }
    char* digits = field + (width - count);
    std::to_chars(digits, field + width, magnitude);
    if (value < 0) digits[-1] = '-';
}

namespace {

// Fw.d through the general conversion, for the values edit_fixed_fast does
// not cover. Kept out of edit_fixed, whose common case then needs no large
// buffer on its stack.
[[gnu::noinline]] void edit_fixed_general(char* field, float value, int width, int digits) {
    // The largest float has 39 integer digits; digits is at most 255. The
    // body starts one character in, leaving room for the sign.
    std::array<char, 320> buf;
    char* body = buf.data() + 1;
    auto result =
        std::to_chars(body, buf.data() + buf.size() - 1, std::fabs(value), std::chars_format::fixed, digits);
    char* end = result.ptr;
    if (digits == 0) *end++ = '.';
    edit_signed_number(field, std::signbit(value), body, end, width);
}

}  // namespace

void edit_fixed(char* field, float value, int width, int digits) {
    if (!std::isfinite(value)) return edit_non_finite(field, value, width);
    if (!edit_fixed_fast(field, width, std::signbit(value), std::fabs(value), digits))
        edit_fixed_general(field, value, width, digits);
}

namespace {

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
    // The sign, then a body of at most 9 digits (all exponent_body_fast
    // takes) and 6 more characters.
    std::array<char, 20> buf;
    char* body = buf.data() + 1;
    char* end = exponent_body_fast(std::fabs(value), digits, body);
    if (end == nullptr) return edit_exponent_general(field, value, width, digits);
    edit_signed_number(field, std::signbit(value), body, end, width);
}

void edit_character(char* field, char value, int width) { field[width - 1] = value; }

namespace {

// Appends a blank field of `width` characters to `out`.
char* append_field(std::string& out, int width) {
    std::size_t at = out.size();
    out.append(static_cast<std::size_t>(width), ' ');
    return out.data() + at;
}

}  // namespace

void put_integer(std::string& out, std::int32_t value, int width) { edit_integer(append_field(out, width), value, width); }
void put_fixed(std::string& out, float value, int width, int digits) {
    edit_fixed(append_field(out, width), value, width, digits);
}
void put_exponent(std::string& out, float value, int width, int digits) {
    edit_exponent(append_field(out, width), value, width, digits);
}
void put_character(std::string& out, char value, int width) { edit_character(append_field(out, width), value, width); }

}  // namespace records
