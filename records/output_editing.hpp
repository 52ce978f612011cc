// Output editing: each edit_ function writes a value into `field`, `width`
// characters that hold blanks, right-justified, or fills it with asterisks
// when the value does not fit; each put_ function appends the same field to
// `out`.
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

void edit_integer(char* field, std::int32_t value, int width);
void edit_fixed(char* field, float value, int width, int digits);
void edit_exponent(char* field, float value, int width, int digits);
void edit_character(char* field, char value, int width);

// Rewrites a field that edit_integer filled with `from` so that it holds `to`
// when only its last character changes: `from` is not negative and `to`
// exceeds it by less than the room left above its last digit, so no digit
// carries. Returns false, changing nothing, otherwise. Numbers that count up
// from record to record mostly take this way.
inline bool step_integer(char* field, std::int32_t from, std::int32_t to, int width) {
    // The last character of a field holding a number that is not negative
    // is its units digit, or an asterisk when it did not fit.
    char& units = field[width - 1];
    std::int64_t step = std::int64_t{to} - from;
    if (from < 0 || step < 0 || units < '0' || step > '9' - units) return false;
    units = static_cast<char>(units + step);
    return true;
}

void put_integer(std::string& out, std::int32_t value, int width);
void put_fixed(std::string& out, float value, int width, int digits);
void put_exponent(std::string& out, float value, int width, int digits);
void put_character(std::string& out, char value, int width);

}  // namespace records
