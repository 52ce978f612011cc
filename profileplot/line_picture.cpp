#include "profileplot/line_picture.hpp"

#include <string_view>

#include "plots/svg.hpp"
#include "profileplot/step_chart.hpp"
#include "records/output_editing.hpp"

namespace profileplot {

namespace {

constexpr double chart_top = 130.0;
constexpr const char* picture_title = "Stresses along a line, wstressline.out";

// A coordinate as the table holds it (F12.6), without its blanks and
// without the zeros that end its decimals.
std::string coordinate_text(float value) {
    std::string field;
    records::put_fixed(field, value, 12, 6);
    std::string_view text = field;
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    if (text.find('.') != std::string_view::npos && text.find('*') == std::string_view::npos) {
        while (text.ends_with('0')) text.remove_suffix(1);
        if (text.ends_with('.')) text.remove_suffix(1);
    }
    return std::string(text);
}

std::string point_text(const line_table& t, std::size_t k) {
    return "point " + std::to_string(t.numbers[k]) + " (" + coordinate_text(t.h[k]) + ", " +
           coordinate_text(t.v[k]) + ")";
}

// The heading: the first and the last point drawn, which are the line's
// ends unless they fell outside the mesh, the points missing between them,
// and the units.
std::string heading(const line_table& t) {
    if (t.numbers.empty()) return "no point of the line lies in the mesh";
    std::size_t last = t.numbers.size() - 1;
    std::string text = "from " + point_text(t, 0) + " to " + point_text(t, last);
    auto missing = static_cast<long>(t.numbers[last]) - t.numbers[0] + 1 - static_cast<long>(t.numbers.size());
    if (missing > 0) text += ", " + std::to_string(missing) + " between them outside the mesh";
    return text + "; h, v and distance in the units of wnodes.out";
}

}  // namespace

std::string line_picture(const line_table& t) {
    double height = chart_top + frame_height + 80;
    plots::svg_document svg(picture_width, height, picture_title);
    svg.text({frame_left, 40}, picture_title, 24, plots::anchor::start, R"(font-weight="bold" fill="#111111")");
    svg.text({frame_left, 66}, heading(t), 15, plots::anchor::start, R"(fill="#111111")");
    svg.text({frame_left, 88},
             "means of the element stresses in wstresses.out at each point, in the solver's units: a dot per point, "
             "a step halfway between points",
             14, plots::anchor::start, R"(fill="#444444")");
    draw_chart(svg, chart_top, "SH, SZ and SHZ against the distance along the line",
               "distance from the line's first point",
               {{"SH", 4, t.distance, t.sigh, t.numbers},
                {"SZ", 0, t.distance, t.sigz, t.numbers},
                {"SHZ", 1, t.distance, t.sighz, t.numbers}},
               x_ticks_of(t.distance, false), "no point of the line lies in the mesh");
    return svg.finish();
}

}  // namespace profileplot
