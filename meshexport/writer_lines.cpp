#include "meshexport/writer_lines.hpp"

#include <charconv>
#include <string>

namespace meshexport {

void line(records::run& r, records::output_unit unit, std::string_view pattern, std::initializer_list<std::int32_t> numbers) {
    // The line is made as text and written as one record: no format to build.
    std::string text;
    text.reserve(pattern.size() + 12 * numbers.size() + 1);
    auto number = numbers.begin();
    for (char c : pattern) {
        if (c == '#' && number != numbers.end()) {
            char digits[16];
            auto [end, error] = std::to_chars(digits, digits + sizeof digits, *number++);
            text.append(digits, error == std::errc{} ? end : digits);
        } else {
            text += c;
        }
    }
    text += '\n';
    r.write_lines(unit, text);
}

}  // namespace meshexport
