#include "meshexport/writer_lines.hpp"

#include <algorithm>
#include <charconv>
#include <string>

namespace meshexport {

void line(records::run& r, int unit, std::string_view pattern, std::initializer_list<std::int32_t> numbers) {
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

std::vector<std::int32_t> type_codes(const mesh& m) {
    std::vector<std::int32_t> codes;
    for (const element_record& e : m.elements) codes.push_back(e.type);
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

std::vector<std::uint32_t> by_type(const mesh& m) {
    std::vector<std::uint32_t> order(m.elements.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&m](std::uint32_t a, std::uint32_t b) { return m.elements[a].type < m.elements[b].type; });
    return order;
}

}  // namespace meshexport
