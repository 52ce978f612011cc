#include "profileplot/step_chart.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "plots/axes.hpp"
#include "plots/palette.hpp"

namespace profileplot {

namespace {

constexpr const char* stress_title = "stress (units of wstresses.out)";

bool finite_point(float x, float y) { return std::isfinite(x) && std::isfinite(y); }

// Whether record k is drawn, and whether it follows record k - 1 on the
// same run of steps: both drawn (finite) and, when numbered, numbered one
// after the other.
struct record_runs {
    const series& s;
    bool finite(std::size_t k) const { return finite_point(s.xs[k], s.ys[k]); }
    bool follows(std::size_t k) const {
        return k > 0 && finite(k - 1) && finite(k) && (s.numbers.empty() || s.numbers[k] == s.numbers[k - 1] + 1);
    }
};

// The pieces of a profile drawn as steps: each record a mean over its
// slice, so its value holds from halfway to the record before to halfway to
// the record after (at the ends, as far out as inwards), and the profile
// jumps there rather than changing gradually. Runs of consecutive points
// whose coordinates are both finite (and whose numbers, when given, follow
// one another) make one piece; the steps are cut to the chart's x range,
// and points outside it are left out.
template <typename Place>
std::vector<std::vector<plots::point>> step_pieces(const series& s, plots::domain x_range, Place place) {
    std::span<const float> xs = s.xs, ys = s.ys;
    std::size_t n = std::min(xs.size(), ys.size());
    record_runs runs{s};
    auto edge = [&](std::size_t a, std::size_t b) { return (static_cast<double>(xs[a]) + xs[b]) / 2.0; };
    auto inside = [&](double x) { return x >= x_range.low && x <= x_range.high; };
    std::vector<std::vector<plots::point>> pieces(1);
    for (std::size_t k = 0; k < n; ++k) {
        // A record left out, or a gap in the numbers, ends the piece.
        bool kept = runs.finite(k) && inside(xs[k]);
        bool before = runs.follows(k);
        if ((!kept || !before) && !pieces.back().empty()) pieces.emplace_back();
        if (!kept) continue;
        bool after = k + 1 < n && runs.follows(k + 1);
        double x = xs[k];
        double from = before ? edge(k - 1, k) : after ? x - (edge(k, k + 1) - x) : x;
        double to = after ? edge(k, k + 1) : before ? x + (x - edge(k - 1, k)) : x;
        from = std::clamp(from, x_range.low, x_range.high);
        to = std::clamp(to, x_range.low, x_range.high);
        std::vector<plots::point>& piece = pieces.back();
        piece.push_back(place(from, ys[k]));
        piece.push_back(place(to, ys[k]));
    }
    return pieces;
}

}  // namespace

std::vector<double> x_ticks_of(std::span<const float> xs, bool unit_x_range) {
    plots::extent x_range;
    for (float x : xs) x_range.add(x);
    return unit_x_range || x_range.empty ? plots::nice_ticks(0.0, 1.0, 10)
                                         : plots::nice_ticks(x_range.low, x_range.high, 5);
}

void draw_chart(plots::svg_document& svg, double top, std::string_view title, std::string_view x_title,
                const std::vector<series>& curves, const std::vector<double>& x_ticks, std::string_view empty_note) {
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
        svg.text({frame_left + frame_width / 2, top + frame_height / 2}, empty_note, 15, plots::anchor::middle,
                 R"(fill="#888888")");

    double legend_y = top + 20;
    for (const series& c : curves) {
        std::string colour(plots::series_colour(c.colour));
        svg.path(step_pieces(c, x_domain, [&](double x, double y) { return plots::point{s.x(x), s.y(y)}; }),
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

}  // namespace profileplot
