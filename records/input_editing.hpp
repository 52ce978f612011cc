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

// Fw.d and Ew.d: an optional sign, digits with at most one decimal point and
// an optional exponent (E or D in either case followed by an optionally
// signed integer, or a sign followed by an integer). Without a decimal point
// the last `digits` digits are the fraction. The value is the nearest 32-bit
// real, ties to even; beyond the range it is an infinity of its sign, below
// it zero or a subnormal. A lone sign reads as +0.0. "Inf", "Infinity" and
// "NaN" in any case, with an optional sign, are accepted too.
field_status read_real_field(std::string_view field, int digits, float& value);

}  // namespace records
