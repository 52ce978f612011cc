#include "stressline/line_arguments.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "layouts/stress_line.hpp"
#include "records/diagnostics.hpp"
#include "records/output_editing.hpp"

namespace stressline {

namespace {

// Whether F12.6, the layout's field for coordinates and distances, writes
// the value rather than asterisks.
bool fits_field(float value) {
    std::string field;
    records::put_fixed(field, value, 12, 6);
    return std::isfinite(value) && field.find('*') == std::string::npos;
}

std::string named(std::string_view name, std::string_view text) {
    return std::string(name) + " " + records::quoted(text);
}

// A leading plus sign, which from_chars does not take, is allowed.
std::string_view unsigned_part(std::string_view text) {
    return text.starts_with('+') && text.size() > 1 && text[1] != '-' && text[1] != '+' ? text.substr(1) : text;
}

std::string read_coordinate(std::string_view name, std::string_view text, float& value) {
    std::string_view digits = unsigned_part(text);
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range && end == digits.data() + digits.size())
        return named(name, text) + " is beyond what F12.6 holds";
    if (error != std::errc{} || end != digits.data() + digits.size() || digits.empty() || !std::isfinite(value))
        return named(name, text) + " is not a number";
    if (!fits_field(value)) return named(name, text) + " is beyond what F12.6 holds";
    return {};
}

std::string read_points(std::string_view text, std::int32_t& points) {
    std::string_view digits = unsigned_part(text);
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), points);
    bool whole = end == digits.data() + digits.size() && !digits.empty();
    if (error == std::errc::result_out_of_range && whole)
        points = digits.starts_with('-') ? std::int32_t{0} : layouts::max_line_points + 1;
    else if (error != std::errc{} || !whole)
        return named("POINTS", text) + " is not a whole number";
    if (points < 2) return named("POINTS", text) + " is fewer than 2";
    if (points > layouts::max_line_points)
        return named("POINTS", text) + " is more than " + std::to_string(layouts::max_line_points);
    return {};
}

}  // namespace

std::string read_line_arguments(std::span<char* const> arguments, line& l) {
    static constexpr std::array<std::string_view, 4> names{"H1", "V1", "H2", "V2"};
    std::array<float*, 4> values{&l.h1, &l.v1, &l.h2, &l.v2};
    for (std::size_t k = 0; k < names.size() && k < arguments.size(); ++k)
        if (std::string fault = read_coordinate(names[k], arguments[k], *values[k]); !fault.empty()) return fault;
    if (arguments.size() > 4)
        if (std::string fault = read_points(arguments[4], l.points); !fault.empty()) return fault;
    float length = static_cast<float>(std::hypot(double{l.h2} - l.h1, double{l.v2} - l.v1));
    if (!fits_field(length)) {
        char shown[32];
        std::snprintf(shown, sizeof shown, "%.9g", static_cast<double>(length));
        return std::string("the line is ") + shown + " long, more than F12.6 holds";
    }
    return {};
}

}  // namespace stressline
