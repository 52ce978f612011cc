#include "meshplot/mesh_legend.hpp"

#include <cstdio>

#include "meshplot/picture_notes.hpp"

namespace meshplot {

namespace {

constexpr double legend_row = 24.0;

double legend_line_height(const legend_line& line) {
    return line.kind == legend_line::mark::note ? wrapped_height(line.text, note_size, legend_width) + 6.0 : legend_row;
}

}  // namespace

std::string group_label(const group_key& g) {
    char buffer[96];
    if (std::isfinite(g.angle))
        std::snprintf(buffer, sizeof buffer, "angle %.2f\u00b0, type %d", static_cast<double>(g.angle),
                      static_cast<int>(g.type));
    else
        std::snprintf(buffer, sizeof buffer, "angle %s, type %d",
                      std::isnan(g.angle) ? "NaN" : (g.angle > 0 ? "Infinity" : "-Infinity"),
                      static_cast<int>(g.type));
    return buffer;
}

double legend_height(const std::vector<legend_line>& lines) {
    double height = 26.0 + 10.0;
    for (const legend_line& line : lines) height += legend_line_height(line);
    return height;
}

void draw_legend(plots::svg_document& svg, double x, double y, const std::vector<legend_line>& lines) {
    svg.begin_group(R"(class="legend")");
    // The heading names the groups, when some are drawn.
    if (!lines.empty() && lines.front().kind == legend_line::mark::swatch) {
        svg.text({x, y}, "angle and type code", 15, plots::anchor::start, R"(font-weight="bold" fill="#111111")");
        y += 26;
    }
    for (const legend_line& line : lines) {
        switch (line.kind) {
        case legend_line::mark::swatch:
            svg.rect(x, y - 13, 22, 16, "fill=\"" + line.colour + "\" " + sound_stroke);
            break;
        case legend_line::mark::node:
            svg.circle({x + 11, y - 5}, 2.6, R"(fill="#222222")");
            break;
        case legend_line::mark::fault:
            svg.rect(x, y - 13, 22, 16, element_style);
            break;
        case legend_line::mark::number:
            svg.text({x + 11, y}, line.sample, 12, plots::anchor::middle, "fill=\"" + line.colour + "\"");
            break;
        case legend_line::mark::note:
            write_wrapped(svg, {x, y}, line.text, note_size, legend_width, "fill=\"" + line.colour + "\"");
            y += legend_line_height(line);
            continue;
        }
        svg.text({x + 30, y}, line.text, 14, plots::anchor::start, R"(fill="#111111")");
        y += legend_row;
    }
    svg.end_group();
}

}  // namespace meshplot
