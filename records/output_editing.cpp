#include "records/output_editing.hpp"

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

// The value rounded to `digits` decimals, ties to even, written as integer
// digits, a point and the decimals, for the values that exact 64-bit
// arithmetic covers: up to 9 decimals and magnitudes below 2^34. A float is
// m * 2^e with m below 2^24, so m * 10^d is below 2^54 and one shift with a
// look at the bits shifted out rounds it exactly. Returns the end of the text
// in `buf` (at least 48 characters), or nullptr when the value is not covered.
char* fixed_digits_fast(float magnitude, int digits, char* buf) {
    static constexpr std::uint64_t powers_of_ten[] = {1,      10,      100,      1000,      10000,
                                                      100000, 1000000, 10000000, 100000000, 1000000000};
    if (digits > 9) return nullptr;
    auto bits = std::bit_cast<std::uint32_t>(magnitude);
    auto biased = static_cast<int>((bits >> 23) & 0xff);
    std::uint64_t m = bits & 0x7fffff;
    int e = -149;
    if (biased != 0) {
        m |= 0x800000;
        e = biased - 150;
    }
    std::uint64_t scaled = 0;
    std::uint64_t product = m * powers_of_ten[digits];
    if (e >= 0) {
        if (e > 10) return nullptr;
        scaled = product << e;
    } else if (-e < 64) {
        int shift = -e;
        scaled = product >> shift;
        std::uint64_t rest = product & ((std::uint64_t{1} << shift) - 1);
        std::uint64_t half = std::uint64_t{1} << (shift - 1);
        if (rest > half || (rest == half && (scaled & 1) != 0)) ++scaled;
    }
    // Integer digits (at least one) and the decimals, zero-padded.
    char digits_text[24];
    auto result = std::to_chars(digits_text, digits_text + sizeof digits_text, scaled);
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
    // Mantissa 0.d1...dd and a decimal exponent: scientific notation with
    // d - 1 fraction digits gives d1.d2...dd and an exponent one lower. A
    // rounding carry (0.99996 to 1.00) is already folded in by to_chars.
    std::string body = "0.";
    int exponent = 0;
    if (value == 0.0f) {
        body.append(static_cast<std::size_t>(digits), '0');
    } else {
        std::array<char, 320> buf;
        auto result = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                    std::chars_format::scientific, digits - 1);
        std::string_view sci(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
        std::size_t e = sci.find('e');
        body.push_back(sci[0]);
        if (digits > 1) body.append(sci.substr(2, e - 2));
        std::string_view exp_text = sci.substr(e + 1);
        if (exp_text.front() == '+') exp_text.remove_prefix(1);
        std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), exponent);
        exponent += 1;
    }
    body.push_back('E');
    body.push_back(exponent < 0 ? '-' : '+');
    int magnitude = exponent < 0 ? -exponent : exponent;
    // 32-bit reals never need more than two exponent digits (E+39 to E-44).
    body.push_back(static_cast<char>('0' + magnitude / 10));
    body.push_back(static_cast<char>('0' + magnitude % 10));
    put_signed_number(out, std::signbit(value), body, width);
}

void put_character(std::string& out, char value, int width) {
    out.append(static_cast<std::size_t>(width) - 1, ' ');
    out.push_back(value);
}

}  // namespace records
