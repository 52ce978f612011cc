#include "records/input_editing.hpp"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace records {
namespace {

// A field without its blanks. Fields are at most 255 characters wide.
struct packed_field {
    std::array<char, 256> chars;
    std::size_t size = 0;

    explicit packed_field(std::string_view field) {
        for (char c : field)
            if (c != ' ' && size < chars.size()) chars[size++] = c;
    }
    std::string_view view() const { return {chars.data(), size}; }
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool equals_ignoring_case(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

// Removes a leading sign; true when it was a minus.
bool take_sign(std::string_view& s) {
    if (s.empty() || (s.front() != '+' && s.front() != '-')) return false;
    bool negative = s.front() == '-';
    s.remove_prefix(1);
    return negative;
}

}  // namespace

field_status read_integer_field(std::string_view field, std::int32_t& value) {
    // Blanks count for nothing wherever they stand.
    if (read_plain_integer(field, value)) return field_status::ok;
    // The general way: a sign may come before the first digit.
    const char* p = field.data();
    const char* end = p + field.size();
    while (p != end && *p == ' ') ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    // Digits stop counting once the magnitude is past 2^31, which no 32-bit
    // value reaches; the rest of the field is still checked.
    constexpr std::uint64_t limit = std::uint64_t{1} << 31;
    std::uint64_t magnitude = 0;
    for (; p != end; ++p) {
        auto digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0');
        if (digit <= 9) {
            if (magnitude <= limit) magnitude = magnitude * 10 + digit;
        } else if (*p != ' ') {
            return field_status::invalid;
        }
    }
    if (magnitude > limit || (!negative && magnitude == limit)) return field_status::out_of_range;
    value = negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(magnitude))
                     : static_cast<std::int32_t>(magnitude);
    return field_status::ok;
}

// The powers of ten that are floats exactly: 5^10 is below 2^24.
static constexpr float exact_powers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
// A mantissa up to this is a float exactly.
static constexpr std::uint32_t exact_mantissa = std::uint32_t{1} << 24;

bool read_plain_real(std::string_view field, int digits, float& value) {
    const char* p = field.data();
    const char* end = p + field.size();
    while (p != end && *p == ' ') ++p;
    bool negative = p != end && *p == '-';
    if (negative) ++p;
    // The digits before the point, then those after it, gathered in 64
    // bits (unsigned, so that more digits than it holds only wrap): past 18
    // digits, or a mantissa past 2^24, the general way reads the field.
    const char* first = p;
    std::uint64_t mantissa = 0;
    unsigned digit = 0;
    while (p != end && (digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0')) <= 9) {
        mantissa = mantissa * 10 + digit;
        ++p;
    }
    // Without a point the last `digits` digits are the fraction.
    std::ptrdiff_t fraction_digits = digits;
    std::ptrdiff_t count = p - first;
    if (p != end && *p == '.') {
        const char* point = p++;
        while (p != end && (digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0')) <= 9) {
            mantissa = mantissa * 10 + digit;
            ++p;
        }
        fraction_digits = p - point - 1;
        count += fraction_digits;
    }
    if (count == 0 || count > 18 || mantissa > exact_mantissa) return false;
    int exponent = 0;
    if (p != end) {
        char c = *p++;
        if (c != 'E' && c != 'e' && c != 'D' && c != 'd') return false;
        bool exponent_negative = p != end && *p == '-';
        if (p != end && (*p == '-' || *p == '+')) ++p;
        if (p == end || end - p > 4) return false;
        for (; p != end; ++p) {
            auto d = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0');
            if (d > 9) return false;
            exponent = exponent * 10 + static_cast<int>(d);
        }
        if (exponent_negative) exponent = -exponent;
    }
    auto scale = exponent - fraction_digits;
    if (scale < -10 || scale > 10) return false;
    auto m = static_cast<float>(mantissa);
    float magnitude = scale >= 0 ? m * exact_powers[scale] : m / exact_powers[-scale];
    value = negative ? -magnitude : magnitude;
    return true;
}

field_status read_real_field(std::string_view field, int digits, float& value) {
    packed_field packed(field);
    std::string_view s = packed.view();
    bool negative = take_sign(s);
    if (s.empty()) {
        value = 0.0f;
        return field_status::ok;
    }
    if (equals_ignoring_case(s, "inf") || equals_ignoring_case(s, "infinity")) {
        value = negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
        return field_status::ok;
    }
    if (equals_ignoring_case(s, "nan")) {
        value = std::numeric_limits<float>::quiet_NaN();
        return field_status::ok;
    }

    // Mantissa: digits with at most one point. The digits go to `number`
    // without the point; `scale` is the power of ten that the point (or the
    // implied fraction) stands for.
    std::array<char, 280> number;
    std::size_t n = 0;
    std::size_t i = 0;
    bool point = false;
    std::int64_t fraction_digits = 0;
    std::size_t mantissa_digits = 0;
    // The mantissa's value, while it is at most 2^24.
    std::uint32_t mantissa = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (is_digit(c)) {
            number[n++] = c;
            ++mantissa_digits;
            if (mantissa <= exact_mantissa) mantissa = mantissa * 10 + static_cast<std::uint32_t>(c - '0');
            if (point) ++fraction_digits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (mantissa_digits == 0) return field_status::invalid;
    if (!point) fraction_digits = digits;

    std::int64_t exponent = 0;
    if (i < s.size()) {
        char c = s[i];
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd') ++i;
        else if (c != '+' && c != '-') return field_status::invalid;
        bool exponent_negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            exponent_negative = s[i] == '-';
            ++i;
        }
        if (i == s.size()) return field_status::invalid;
        for (; i < s.size(); ++i) {
            if (!is_digit(s[i])) return field_status::invalid;
            // Saturate far beyond any 32-bit real's range.
            if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
        }
        if (exponent_negative) exponent = -exponent;
    }
    std::int64_t scale = exponent - fraction_digits;

    // A mantissa of at most 2^24 and a power of ten from 10^-10 to 10^10 are
    // both floats exactly (5^10 is below 2^24), and one multiplication or
    // division of floats is the exact result rounded to the nearest float,
    // ties to even: the value the general conversion gives, at a fraction of
    // its cost.
    if (mantissa <= exact_mantissa && scale >= -10 && scale <= 10) {
        auto m = static_cast<float>(mantissa);
        float magnitude = scale >= 0 ? m * exact_powers[scale] : m / exact_powers[-scale];
        value = negative ? -magnitude : magnitude;
        return field_status::ok;
    }

    number[n++] = 'e';
    auto exp_end = std::to_chars(number.data() + n, number.data() + number.size(), scale);
    float magnitude = 0.0f;
    auto result = std::from_chars(number.data(), exp_end.ptr, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        // Decide between overflow and underflow by the position of the first
        // significant digit: the value is about 10^(significant digits + scale).
        std::size_t first = 0;
        while (first < mantissa_digits && number[first] == '0') ++first;
        std::int64_t order = static_cast<std::int64_t>(mantissa_digits - first) + scale;
        magnitude = order > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
    } else if (result.ec != std::errc{}) {
        return field_status::invalid;
    }
    value = negative ? -magnitude : magnitude;
    return field_status::ok;
}

}  // namespace records
