// Output editing: each function appends exactly `width` characters to `out`,
// the value right-justified, or `width` asterisks when it does not fit.
//
// Choices that hold throughout: the optional 0 before the decimal point is
// written whenever the field has room for it; the minus sign is written
// whenever the value's sign bit is set (also for -0.0 and for negative
// values that round to zero); the digits are those of the exact 32-bit value
// rounded to the digits shown, ties to even. +Inf is "Infinity" or "Inf",
// -Inf "-Infinity" or "-Inf", NaN "NaN", whichever fits.
#pragma once

#include <cstdint>
#include <string>

namespace records {

void put_integer(std::string& out, std::int32_t value, int width);
void put_fixed(std::string& out, float value, int width, int digits);
void put_exponent(std::string& out, float value, int width, int digits);
void put_character(std::string& out, char value, int width);

}  // namespace records
