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
// when only its last two characters change: `from` is not negative, `to`
// exceeds it by at most 9, and a carry out of the units digit meets a tens
// digit below 9, so it goes no further. Returns false, changing nothing,
// otherwise. Numbers that count up from record to record mostly take this
// way.
inline bool step_integer(char* field, std::int32_t from, std::int32_t to, int width) {
    // The last character of a field holding a number that is not negative
    // is its units digit, or an asterisk when it did not fit.
    char& units = field[width - 1];
    std::int64_t step = std::int64_t{to} - from;
    if (from < 0 || step < 0 || step > 9 || units < '0') return false;
    int sum = units - '0' + static_cast<int>(step);
    if (sum <= 9) {
        units = static_cast<char>('0' + sum);
        return true;
    }
    if (width < 2) return false;
    char& tens = field[width - 2];
    if (tens < '0' || tens > '8') return false;
    ++tens;
    units = static_cast<char>('0' + sum - 10);
    return true;
}

void put_integer(std::string& out, std::int32_t value, int width);
void put_fixed(std::string& out, float value, int width, int digits);
void put_exponent(std::string& out, float value, int width, int digits);
void put_character(std::string& out, char value, int width);

}  // namespace records
