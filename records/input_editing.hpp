// Input editing of numeric fields. A field is the w characters taken from
// the record (blanks where the record has ended). Blanks are ignored wherever
// they stand; an all-blank field is zero.
#pragma once

#include <cstdint>
#include <string_view>

namespace records {

enum class field_status { ok, invalid, out_of_range };

// Iw: an optional sign followed by decimal digits. A lone sign reads as 0.
// A value outside the 32-bit range is out_of_range.
field_status read_integer_field(std::string_view field, std::int32_t& value);

// The common case of Iw, read in one pass: a field of at most 9 characters
// that are blanks and digits alone holds a value below 10^9. Returns false,
// leaving value as it was, for any other field.
inline bool read_plain_integer(std::string_view field, std::int32_t& value) {
    if (field.size() > 9) return false;
    std::uint32_t magnitude = 0;
    for (char c : field) {
        auto digit = static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
        if (digit <= 9) magnitude = magnitude * 10 + digit;
        else if (c != ' ') return false;
    }
    value = static_cast<std::int32_t>(magnitude);
    return true;
}

// The common case of Fw.d and Ew.d, read in one pass: blanks only before
// the value, an optional minus, digits with at most one point, an optional
// exponent written E, e, D or d with a sign or none and at most four digits,
// a mantissa of at most 2^24 and a power of ten from 10^-10 to 10^10. Such a
// value is read_real_field's exactly, by the same one multiplication or
// division of two floats that are exact. Returns false, leaving value as it
// was, for any other field.
bool read_plain_real(std::string_view field, int digits, float& value);

// Fw.d and Ew.d: an optional sign, digits with at most one decimal point and
// an optional exponent (E or D in either case followed by an optionally
// signed integer, or a sign followed by an integer). Without a decimal point
// the last `digits` digits are the fraction. The value is the nearest 32-bit
// real, ties to even; beyond the range it is an infinity of its sign, below
// it zero or a subnormal. A lone sign reads as +0.0. "Inf", "Infinity" and
// "NaN" in any case, with an optional sign, are accepted too.
field_status read_real_field(std::string_view field, int digits, float& value);

}  // namespace records
