#include "profileplot/profile_picture.hpp"

#include <algorithm>
#include <cmath>
#include <span>
#include <string_view>
#include <vector>

#include "plots/axes.hpp"
#include "plots/palette.hpp"

namespace profileplot {

namespace {

constexpr double picture_width = 1040.0;
constexpr double frame_left = 110.0;
constexpr double frame_width = 680.0;
constexpr double frame_height = 230.0;
constexpr double panel_height = 340.0;
constexpr double first_top = 110.0;
constexpr const char* stress_title = "stress (units of wstresses.out)";

struct series {
    std::string_view name;
    int colour;
    std::span<const float> xs;
    std::span<const float> ys;
};

bool finite_point(float x, float y) { return std::isfinite(x) && std::isfinite(y); }

// The pieces of a profile drawn as steps: each record a mean over its
// slice, so its value holds from halfway to the record before to halfway to
// the record after (at the ends, as far out as inwards), and the profile
// jumps there rather than changing gradually. Runs of consecutive points
// whose coordinates are both finite make one piece; the steps are cut to
// the chart's x range, and points outside it are left out.
template <typename Place>
std::vector<std::vector<plots::point>> step_pieces(std::span<const float> xs, std::span<const float> ys,
                                                   plots::domain x_range, Place place) {
    std::size_t n = std::min(xs.size(), ys.size());
    auto edge = [&](std::size_t a, std::size_t b) { return (static_cast<double>(xs[a]) + xs[b]) / 2.0; };
    auto inside = [&](double x) { return x >= x_range.low && x <= x_range.high; };
    return plots::runs_of(
        n, [&](std::size_t k) { return finite_point(xs[k], ys[k]) && inside(xs[k]); },
        [&](std::vector<plots::point>& piece, std::size_t k) {
            bool before = k > 0 && finite_point(xs[k - 1], ys[k - 1]);
            bool after = k + 1 < n && finite_point(xs[k + 1], ys[k + 1]);
            double x = xs[k];
            double from = before ? edge(k - 1, k) : after ? x - (edge(k, k + 1) - x) : x;
            double to = after ? edge(k, k + 1) : before ? x + (x - edge(k - 1, k)) : x;
            from = std::clamp(from, x_range.low, x_range.high);
            to = std::clamp(to, x_range.low, x_range.high);
            piece.push_back(place(from, ys[k]));
            piece.push_back(place(to, ys[k]));
        });
}

// The x range of a chart: 0 to 1, or the round numbers around the given
// values.
std::vector<double> x_ticks_of(std::span<const float> xs, bool unit_x_range) {
    plots::extent x_range;
    for (float x : xs) x_range.add(x);
    return unit_x_range || x_range.empty ? plots::nice_ticks(0.0, 1.0, 10)
                                         : plots::nice_ticks(x_range.low, x_range.high, 5);
}

void draw_chart(plots::svg_document& svg, double top, std::string_view title, std::string_view x_title,
                const std::vector<series>& curves, const std::vector<double>& x_ticks) {
    plots::domain x_domain{x_ticks.front(), x_ticks.back()};
    plots::extent y_range;
    for (const series& s : curves)
        for (std::size_t k = 0; k < s.xs.size(); ++k)
            if (finite_point(s.xs[k], s.ys[k]) && s.xs[k] >= x_domain.low && s.xs[k] <= x_domain.high)
                y_range.add(s.ys[k]);
    std::vector<double> y_ticks =
        y_range.empty ? plots::nice_ticks(0.0, 1.0, 5) : plots::nice_ticks(y_range.low, y_range.high, 5);

    svg.begin_group("class=\"chart\"");
    svg.text({frame_left, top - 16}, title, 18, plots::anchor::start, R"(font-weight="bold" fill="#111111")");
    plots::chart_frame frame{frame_left, top, frame_width, frame_height};
    plots::chart_scales s = plots::draw_chart_frame(svg, frame, x_ticks, y_ticks, x_title, stress_title);
    if (y_range.empty)
        svg.text({frame_left + frame_width / 2, top + frame_height / 2}, "no finite value to draw", 15,
                 plots::anchor::middle, R"(fill="#888888")");

    double legend_y = top + 20;
    for (const series& c : curves) {
        std::string colour(plots::series_colour(c.colour));
        svg.path(step_pieces(c.xs, c.ys, x_domain, [&](double x, double y) { return plots::point{s.x(x), s.y(y)}; }),
                 "class=\"curve\" " + plots::attribute("data-name", c.name) + " fill=\"none\" stroke=\"" + colour +
                     "\" stroke-width=\"2\" stroke-linejoin=\"round\"");
        svg.begin_group("class=\"markers\" fill=\"" + colour + "\"");
        for (std::size_t k = 0; k < c.xs.size(); ++k)
            if (finite_point(c.xs[k], c.ys[k]) && c.xs[k] >= x_domain.low && c.xs[k] <= x_domain.high)
                svg.circle({s.x(c.xs[k]), s.y(c.ys[k])}, 2.6, {});
        svg.end_group();
        double x = frame_left + frame_width + 24;
        svg.line({x, legend_y - 5}, {x + 30, legend_y - 5}, "stroke=\"" + colour + "\" stroke-width=\"2.5\"");
        svg.circle({x + 15, legend_y - 5}, 3, "fill=\"" + colour + "\"");
        svg.text({x + 38, legend_y}, c.name, 15, plots::anchor::start, R"(fill="#111111")");
        legend_y += 24;
    }
    svg.end_group();
}

}  // namespace

std::string profile_picture(const profile_tables& t) {
    double height = first_top + 4 * panel_height - 20;
    plots::svg_document svg(picture_width, height, "Stress profiles of wstressavg.out");
    svg.text({frame_left, 40}, "Stress profiles of wstressavg.out", 24, plots::anchor::start,
             R"(font-weight="bold" fill="#111111")");
    svg.text({frame_left, 64},
             "means of the element stresses in wstresses.out, in the solver's units: a dot per record, a step per slice",
             14, plots::anchor::start, R"(fill="#444444")");

    // The records near Y/B = 1 lie close together: SIGZ there and the
    // same stretch of SAZM and SAZT get charts of their own.
    std::vector<double> near_edge = x_ticks_of(t.edge_ydb, false);
    draw_chart(svg, first_top, "SIGZ and SIGHZ along Z/H", "Z/H",
               {{"SIGZ", 0, t.zdh, t.sigz}, {"SIGHZ", 1, t.zdh, t.sighz}}, x_ticks_of(t.zdh, true));
    draw_chart(svg, first_top + panel_height, "SIGZ near Y/B = 1", "Y/B", {{"SIGZ", 0, t.edge_ydb, t.edge_sigz}},
               near_edge);
    draw_chart(svg, first_top + 2 * panel_height, "SAZM and SAZT along Y/B", "Y/B",
               {{"SAZM", 2, t.ydb, t.sazm}, {"SAZT", 3, t.ydb, t.sazt}}, x_ticks_of(t.ydb, true));
    draw_chart(svg, first_top + 3 * panel_height, "SAZM and SAZT near Y/B = 1", "Y/B",
               {{"SAZM", 2, t.ydb, t.sazm}, {"SAZT", 3, t.ydb, t.sazt}}, near_edge);
    return svg.finish();
}

}  // namespace profileplot
