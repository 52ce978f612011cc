// Iw and Aw output editing, and the put_ forms that append a field to a
// string; Fw.d and Ew.d are in fixed_editing.cpp and exponent_editing.cpp.
#include "records/output_editing.hpp"

#include <charconv>
#include <cstdint>
#include <cstring>

#include "records/decimal_scaling.hpp"

namespace records {

void edit_integer(char* field, std::int32_t value, int width) {
    // The flags and codes of the tables are single digits: no conversion
    // needed.
    if (value >= 0 && value <= 9) {
        field[width - 1] = static_cast<char>('0' + value);
        return;
    }
    std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    int count = editing::decimal_digits(magnitude);
    if (count + (value < 0 ? 1 : 0) > width) {
        std::memset(field, '*', static_cast<std::size_t>(width));
        return;
    }
    char* digits = field + (width - count);
    std::to_chars(digits, field + width, magnitude);
    if (value < 0) digits[-1] = '-';
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
