#include "records/output_editing.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <charconv>
#include <cmath>
#include <string_view>

namespace records {
namespace {

void put_justified(std::string& out, std::string_view text, int width) {
    auto w = static_cast<std::size_t>(width);
    if (text.size() > w) {
        out.append(w, '*');
        return;
    }
    out.append(w - text.size(), ' ');
    out.append(text);
}

// Infinities and not-a-numbers, the longest spelling that fits.
void put_non_finite(std::string& out, float value, int width) {
    if (std::isnan(value)) {
        put_justified(out, "NaN", width);
    } else if (std::signbit(value)) {
        put_justified(out, width >= 9 ? "-Infinity" : "-Inf", width);
    } else {
        put_justified(out, width >= 8 ? "Infinity" : "Inf", width);
    }
}

// Writes sign, optional leading 0 and `body` (which starts with "0." when the
// integer part is zero), dropping the 0 only when the field has no room.
void put_signed_number(std::string& out, bool negative, std::string_view body, int width) {
    auto w = static_cast<std::size_t>(width);
    std::size_t length = body.size() + (negative ? 1 : 0);
    if (length > w && body.size() >= 2 && body[0] == '0' && body[1] == '.') {
        body.remove_prefix(1);
        --length;
    }
    if (length > w) {
        out.append(w, '*');
        return;
    }
    out.append(w - length, ' ');
    if (negative) out.push_back('-');
    out.append(body);
}

constexpr std::uint64_t powers_of_ten[] = {1,      10,      100,      1000,      10000,
                                           100000, 1000000, 10000000, 100000000, 1000000000};

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

// The value rounded to `digits` decimals, ties to even, written as integer
// digits, a point and the decimals, for the values scale_exactly covers.
// Returns the end of the text in `buf` (at least 48 characters), or nullptr
// when the value is not covered.
char* fixed_digits_fast(float magnitude, int digits, char* buf) {
    scaled_value s;
    if (!scale_exactly(magnitude, digits, s)) return nullptr;
    // Integer digits (at least one) and the decimals, zero-padded.
    char digits_text[24];
    auto result = std::to_chars(digits_text, digits_text + sizeof digits_text, s.rounded);
    auto count = static_cast<int>(result.ptr - digits_text);
    char* out = buf;
    int integer_digits = count > digits ? count - digits : 0;
    if (integer_digits == 0) *out++ = '0';
    for (int i = 0; i < integer_digits; ++i) *out++ = digits_text[i];
    *out++ = '.';
    for (int i = count; i < digits; ++i) *out++ = '0';
    for (int i = integer_digits; i < count; ++i) *out++ = digits_text[i];
    return out;
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
// rounding of the bits shifted out, ties to even, as fixed_digits_fast does.
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

void put_integer(std::string& out, std::int32_t value, int width) {
    std::array<char, 16> buf;
    auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    put_justified(out, std::string_view(buf.data(), static_cast<std::size_t>(result.ptr - buf.data())), width);
}

void put_fixed(std::string& out, float value, int width, int digits) {
    if (!std::isfinite(value)) return put_non_finite(out, value, width);
    // The largest float has 39 integer digits; digits is at most 255.
    std::array<char, 320> buf;
    char* end = fixed_digits_fast(std::fabs(value), digits, buf.data());
    if (end == nullptr) {
        auto result = std::to_chars(buf.data(), buf.data() + buf.size() - 1, std::fabs(value),
                                    std::chars_format::fixed, digits);
        end = result.ptr;
        if (digits == 0) *end++ = '.';
    }
    put_signed_number(out, std::signbit(value),
                      std::string_view(buf.data(), static_cast<std::size_t>(end - buf.data())), width);
}

void put_exponent(std::string& out, float value, int width, int digits) {
    if (!std::isfinite(value)) return put_non_finite(out, value, width);
    // The field's body 0.d1...dd E±xx: at most 255 digits and 8 more characters.
    std::array<char, 272> body;
    char* end = exponent_body_fast(std::fabs(value), digits, body.data());
    if (end == nullptr) end = exponent_body_general(std::fabs(value), digits, body.data());
    put_signed_number(out, std::signbit(value),
                      std::string_view(body.data(), static_cast<std::size_t>(end - body.data())), width);
}

void put_character(std::string& out, char value, int width) {
    out.append(static_cast<std::size_t>(width) - 1, ' ');
    out.push_back(value);
}

}  // namespace records
