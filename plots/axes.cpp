#include "plots/axes.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plots {

void extent::add(double value) {
    if (!std::isfinite(value)) return;
    if (empty) {
        low = high = value;
        empty = false;
        return;
    }
    low = std::min(low, value);
    high = std::max(high, value);
}

namespace {

double round_step(double raw) {
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    double fraction = raw / power;
    double nice = fraction <= 1.0 ? 1.0 : fraction <= 2.0 ? 2.0 : fraction <= 5.0 ? 5.0 : 10.0;
    return nice * power;
}

}  // namespace

std::vector<double> nice_ticks(double low, double high, int target) {
    if (!std::isfinite(low) || !std::isfinite(high)) return {0.0, 1.0};
    if (low > high) std::swap(low, high);
    if (target < 1) target = 1;
    if (high - low <= std::abs(high) * 1e-12 || high == low) {
        double half = low == 0.0 ? 1.0 : std::abs(low) * 0.1;
        low -= half;
        high += half;
    }
    double span = high - low;
    // Ranges near the ends of the double range: fall back to the two ends.
    if (!std::isfinite(span) || span <= 0.0) return {low, high};
    double step = round_step(span / target);
    if (!std::isfinite(step) || step <= 0.0) return {low, high};
    double first = std::floor(low / step);
    double last = std::ceil(high / step);
    std::vector<double> ticks;
    for (double k = first; k <= last && ticks.size() < 64; k += 1.0) {
        double value = k * step;
        if (std::abs(value) < step * 1e-9) value = 0.0;
        ticks.push_back(value);
    }
    if (ticks.size() < 2) return {low, high};
    return ticks;
}

std::string tick_label(double value, double step) {
    char buffer[64];
    if (value == 0.0) return "0";
    double size = std::max(std::abs(value), std::abs(step));
    if (size >= 1e6 || (step > 0.0 && step < 1e-4)) {
        // Exponent form with as many digits as the step needs.
        int digits = 2;
        if (step > 0.0 && std::isfinite(step)) {
            int needed = static_cast<int>(std::floor(std::log10(size)) - std::floor(std::log10(step)));
            digits = std::clamp(needed, 0, 6);
        }
        std::snprintf(buffer, sizeof buffer, "%.*e", digits, value);
        return buffer;
    }
    int decimals = 0;
    if (step > 0.0 && step < 1.0) decimals = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    // A step of 0.25 or 2.5e-x needs one decimal more than its leading digit.
    double scaled = step * std::pow(10.0, decimals);
    if (std::abs(scaled - std::round(scaled)) > 1e-6) ++decimals;
    decimals = std::clamp(decimals, 0, 6);
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text.find_first_not_of("-0.") == std::string::npos) return "0";
    return text;
}

double linear_scale::operator()(double value) const {
    double span = data_to - data_from;
    if (span == 0.0 || !std::isfinite(span)) return (picture_from + picture_to) / 2.0;
    return picture_from + (value - data_from) / span * (picture_to - picture_from);
}

chart_scales draw_chart_frame(svg_document& svg, const chart_frame& frame, const std::vector<double>& x_ticks,
                              const std::vector<double>& y_ticks, std::string_view x_title,
                              std::string_view y_title) {
    return draw_chart_frame(svg, frame, {x_ticks.front(), x_ticks.back()}, {y_ticks.front(), y_ticks.back()},
                            x_ticks, y_ticks, x_title, y_title);
}

chart_scales draw_chart_frame(svg_document& svg, const chart_frame& frame, domain x_domain, domain y_domain,
                              const std::vector<double>& x_ticks, const std::vector<double>& y_ticks,
                              std::string_view x_title, std::string_view y_title) {
    chart_scales scales;
    double right = frame.left + frame.width;
    double bottom = frame.top + frame.height;
    scales.x = {x_domain.low, x_domain.high, frame.left, right};
    scales.y = {y_domain.low, y_domain.high, bottom, frame.top};
    double x_step = x_ticks.size() > 1 ? x_ticks[1] - x_ticks[0] : 1.0;
    double y_step = y_ticks.size() > 1 ? y_ticks[1] - y_ticks[0] : 1.0;
    auto inside = [](double t, domain d) {
        double slack = (d.high - d.low) * 1e-9;
        return t >= d.low - slack && t <= d.high + slack;
    };

    svg.begin_group(R"(class="axes")");
    for (double t : x_ticks) {
        if (!inside(t, x_domain)) continue;
        double x = scales.x(t);
        svg.line({x, frame.top}, {x, bottom}, R"(stroke="#e0e0e0" stroke-width="1")");
        svg.line({x, bottom}, {x, bottom + 5}, R"(stroke="#333333" stroke-width="1")");
        svg.text({x, bottom + 20}, tick_label(t, x_step), 13, anchor::middle, R"(fill="#333333")");
    }
    for (double t : y_ticks) {
        if (!inside(t, y_domain)) continue;
        double y = scales.y(t);
        svg.line({frame.left, y}, {right, y}, R"(stroke="#e0e0e0" stroke-width="1")");
        svg.line({frame.left - 5, y}, {frame.left, y}, R"(stroke="#333333" stroke-width="1")");
        svg.text({frame.left - 8, y + 4.5}, tick_label(t, y_step), 13, anchor::end, R"(fill="#333333")");
    }
    // A zero line when zero lies inside the value range.
    if (y_domain.low < 0.0 && y_domain.high > 0.0)
        svg.line({frame.left, scales.y(0.0)}, {right, scales.y(0.0)}, R"(stroke="#888888" stroke-width="1")");
    svg.rect(frame.left, frame.top, frame.width, frame.height, R"(fill="none" stroke="#333333" stroke-width="1.2")");
    svg.text({frame.left + frame.width / 2, bottom + 42}, x_title, 15, anchor::middle, R"(fill="#111111")");
    point y_title_at{frame.left - 62, frame.top + frame.height / 2};
    svg.text(y_title_at, y_title, 15, anchor::middle,
             "fill=\"#111111\" transform=\"rotate(-90 " + number(y_title_at.x) + " " + number(y_title_at.y) + ")\"");
    svg.end_group();
    return scales;
}

}  // namespace plots
