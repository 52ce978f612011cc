// How output editing places a number's text in its field, shared by the
// Fw.d and Ew.d editing: right-justified, or asterisks when it does not fit;
// infinities and not-a-numbers by name; the sign and the optional 0 before
// the decimal point.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace records::editing {

// Writes `text` right-justified in the blank field, or asterisks when it
// does not fit.
inline void justify(char* field, int width, const char* text, std::size_t length) {
    auto w = static_cast<std::size_t>(width);
    if (length > w) {
        std::memset(field, '*', w);
        return;
    }
    std::memcpy(field + (w - length), text, length);
}

inline void justify(char* field, int width, std::string_view text) { justify(field, width, text.data(), text.size()); }

// Infinities and not-a-numbers, the longest spelling that fits.
inline void edit_non_finite(char* field, float value, int width) {
    if (std::isnan(value)) {
        justify(field, width, "NaN");
    } else if (std::signbit(value)) {
        justify(field, width, width >= 9 ? "-Infinity" : "-Inf");
    } else {
        justify(field, width, width >= 8 ? "Infinity" : "Inf");
    }
}

// Writes sign, optional leading 0 and the body [body, end) (which starts
// with "0." when the integer part is zero), dropping the 0 only when the
// field has no room. The character before `body` is free for the sign.
inline void edit_signed_number(char* field, bool negative, char* body, const char* end, int width) {
    auto w = static_cast<std::size_t>(width);
    auto length = static_cast<std::size_t>(end - body) + (negative ? 1 : 0);
    if (length > w && end - body >= 2 && body[0] == '0' && body[1] == '.') {
        ++body;
        --length;
    }
    if (negative) *--body = '-';
    justify(field, width, body, length);
}

}  // namespace records::editing
