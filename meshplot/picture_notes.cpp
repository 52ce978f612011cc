#include "meshplot/picture_notes.hpp"

#include <algorithm>
#include <cmath>

namespace meshplot {

namespace {

// The widest characters of the sans-serif fonts the pictures name take
// about 0.6 of the font size on average over a text; a line is filled to
// that estimate, so it stays within its width in any of them.
constexpr double character_width = 0.6;
constexpr double line_height = 1.3;

// Characters, not bytes: a UTF-8 continuation byte adds no width.
std::size_t characters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

std::vector<std::string> wrapped(std::string_view text, double size, double width) {
    std::size_t room = static_cast<std::size_t>(std::max(1.0, std::floor(width / (size * character_width))));
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        if (!line.empty() && characters(line) + 1 + characters(word) > room) {
            lines.push_back(line);
            line.clear();
        }
        if (!line.empty()) line += ' ';
        line += word;
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
}

double wrapped_height(std::string_view text, double size, double width) {
    return static_cast<double>(wrapped(text, size, width).size()) * size * line_height;
}

double write_wrapped(plots::svg_document& svg, plots::point at, std::string_view text, double size, double width,
                     std::string_view style) {
    for (const std::string& line : wrapped(text, size, width)) {
        svg.text(at, line, size, plots::anchor::start, style);
        at.y += size * line_height;
    }
    return at.y;
}

}  // namespace meshplot
