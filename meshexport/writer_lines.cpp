#include "meshexport/writer_lines.hpp"

#include <algorithm>
#include <string>

namespace meshexport {

using records::record_format;

void line(records::run& r, int unit, std::string_view pattern, std::initializer_list<std::int32_t> numbers) {
    std::string text = "('";
    auto number = numbers.begin();
    for (char c : pattern) {
        if (c == '#' && number != numbers.end()) {
            text += "',I" + std::to_string(std::to_string(*number++).size()) + ",'";
        } else {
            if (c == '\'') text += '\'';
            text += c;
        }
    }
    text += "')";
    record_format format(text);
    r.begin_write(unit, format);
    for (std::int32_t n : numbers) r.write_int(n);
    r.end_write();
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
