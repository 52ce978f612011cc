// Fw.d output editing: the exact fast way for the values the suite's
// tables hold, and the general conversion for any other.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "records/decimal_scaling.hpp"
#include "records/number_placing.hpp"
#include "records/output_editing.hpp"

namespace records {
namespace {

using namespace editing;

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

}  // namespace records
