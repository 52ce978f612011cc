#include "records/output_editing.hpp"

#include <array>
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
    auto result = std::to_chars(buf.data(), buf.data() + buf.size() - 1, std::fabs(value),
                                std::chars_format::fixed, digits);
    char* end = result.ptr;
    if (digits == 0) *end++ = '.';
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
