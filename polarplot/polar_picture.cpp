#include "polarplot/polar_picture.hpp"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "plots/axes.hpp"
#include "plots/palette.hpp"
#include "plots/svg.hpp"

namespace polarplot {

namespace {

constexpr double picture_width = 1500.0;
constexpr double picture_height = 625.0;
constexpr double panel_width = picture_width / 3.0;
constexpr double centre_y = 345.0;
constexpr double radius = 170.0;
constexpr double pi = 3.14159265358979323846;

bool finite_row(const column& theta, const column& values, std::size_t j) {
    return std::isfinite(theta[j]) && std::isfinite(values[j]);
}

std::string fraction_label(float vf) {
    if (std::isnan(vf)) return "Vf = NaN";
    if (std::isinf(vf)) return vf > 0 ? "Vf = Infinity" : "Vf = -Infinity";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Vf = %.2f", static_cast<double>(vf));
    return buffer;
}

// Splits the rows into runs of consecutive kept rows, each a piece of the
// curve at radius |value| (a negative E3 or G23 would be drawn through the
// centre, so the magnitude is what the rings measure).
std::vector<std::vector<plots::point>> curve(const column& theta, const column& values,
                                             const std::vector<bool>& keep, plots::point centre, double per_unit,
                                             bool magnitude) {
    std::vector<std::vector<plots::point>> pieces(1);
    for (std::size_t j = 0; j < static_cast<std::size_t>(angles); ++j) {
        if (!keep[j]) {
            if (!pieces.back().empty()) pieces.emplace_back();
            continue;
        }
        double r = values[j];
        if (magnitude) r = std::abs(r);
        double a = theta[j];
        pieces.back().push_back({centre.x + r * per_unit * std::cos(a), centre.y - r * per_unit * std::sin(a)});
    }
    return pieces;
}

struct diagram {
    std::string_view title;
    std::string_view subtitle;
    const std::array<column, fractions>* first;
    const std::array<column, fractions>* second;  // NU32's negative part, else null
};

void draw_diagram(plots::svg_document& svg, const polar_tables& t, const diagram& d, int panel) {
    plots::point centre{panel_width * panel + panel_width / 2.0, centre_y};

    // Radius scale: the largest finite magnitude of the diagram's values.
    plots::extent magnitudes;
    for (const auto* table : {d.first, d.second}) {
        if (table == nullptr) continue;
        for (const column& c : *table)
            for (float v : c) magnitudes.add(std::abs(static_cast<double>(v)));
    }
    double top = magnitudes.empty || magnitudes.high <= 0.0 ? 1.0 : magnitudes.high;
    std::vector<double> rings = plots::nice_ticks(0.0, top, 4);
    double outer = rings.back() > 0.0 ? rings.back() : 1.0;
    double per_unit = radius / outer;
    double step = rings.size() > 1 ? rings[1] - rings[0] : outer;

    svg.begin_group("class=\"diagram\" id=\"" + std::string(d.title) + "\"");
    svg.text({centre.x, 92}, d.title, 22, plots::anchor::middle, R"(font-weight="bold" fill="#111111")");
    svg.text({centre.x, 114}, d.subtitle, 13, plots::anchor::middle, R"(fill="#444444")");

    // Spokes and rim labels every 30 degrees.
    svg.begin_group(R"(class="grid")");
    for (int degrees = 0; degrees < 360; degrees += 30) {
        double a = degrees * pi / 180.0;
        plots::point rim{centre.x + radius * std::cos(a), centre.y - radius * std::sin(a)};
        svg.line(centre, rim, R"(stroke="#d8d8d8" stroke-width="1")");
        plots::point label{centre.x + (radius + 20) * std::cos(a), centre.y - (radius + 20) * std::sin(a) + 4.5};
        svg.text(label, std::to_string(degrees) + "\u00b0", 13, plots::anchor::middle, R"(fill="#333333")");
    }
    for (double ring : rings) {
        if (ring <= 0.0) continue;
        bool rim = ring == rings.back();
        svg.circle(centre, ring * per_unit,
                   rim ? R"(fill="none" stroke="#555555" stroke-width="1.2")"
                       : R"(fill="none" stroke="#d8d8d8" stroke-width="1")");
    }
    svg.end_group();

    // Curves: one per volume fraction (NU32: one per fraction and sign).
    for (int k = 0; k < fractions; ++k) {
        const column& first = (*d.first)[static_cast<std::size_t>(k)];
        std::string colour = std::string(plots::series_colour(k));
        std::vector<bool> keep = d.second ? part_rows(t.theta, first) : finite_rows(t.theta, first);
        svg.path(curve(t.theta, first, keep, centre, per_unit, d.second != nullptr),
                 "class=\"curve\" data-vf=\"" + std::to_string(k + 1) + "\" fill=\"none\" stroke=\"" + colour +
                     "\" stroke-width=\"2\" stroke-linejoin=\"round\"");
        if (d.second) {
            const column& second = (*d.second)[static_cast<std::size_t>(k)];
            svg.path(curve(t.theta, second, part_rows(t.theta, second), centre, per_unit, true),
                     "class=\"curve negative\" data-vf=\"" + std::to_string(k + 1) +
                         "\" fill=\"none\" stroke=\"" + colour +
                         "\" stroke-width=\"2\" stroke-dasharray=\"7 4\" stroke-linejoin=\"round\"");
        }
    }

    // Ring labels along the ray at 105 degrees, clear of the 90 degree spoke.
    double label_angle = 105.0 * pi / 180.0;
    for (double ring : rings) {
        if (ring <= 0.0) continue;
        plots::point at{centre.x + ring * per_unit * std::cos(label_angle) - 3,
                        centre.y - ring * per_unit * std::sin(label_angle) - 3};
        svg.text(at, plots::tick_label(ring, step), 12, plots::anchor::end,
                 R"(fill="#222222" stroke="#ffffff" stroke-width="3" paint-order="stroke")");
    }
    svg.end_group();
}

}  // namespace

std::vector<bool> finite_rows(const column& theta, const column& values) {
    std::vector<bool> keep(angles);
    for (std::size_t j = 0; j < static_cast<std::size_t>(angles); ++j) keep[j] = finite_row(theta, values, j);
    return keep;
}

std::vector<bool> part_rows(const column& theta, const column& part) {
    std::vector<bool> keep(angles);
    auto nonzero = [&](std::size_t j) { return finite_row(theta, part, j) && part[j] != 0.0f; };
    for (std::size_t j = 0; j < static_cast<std::size_t>(angles); ++j) {
        if (!finite_row(theta, part, j)) continue;
        keep[j] = part[j] != 0.0f || (j > 0 && nonzero(j - 1)) || (j + 1 < keep.size() && nonzero(j + 1));
    }
    return keep;
}

std::string polar_picture(const polar_tables& t) {
    plots::svg_document svg(picture_width, picture_height, "Off-axis properties of the unidirectional composite");
    svg.text({picture_width / 2, 40}, "Off-axis properties of the unidirectional composite", 24,
             plots::anchor::middle, R"(font-weight="bold" fill="#111111")");
    svg.text({picture_width / 2, 62},
             "radius: property value at the angle THETA from the fibre axis (moduli in the units of polar.dat)", 14,
             plots::anchor::middle, R"(fill="#444444")");

    draw_diagram(svg, t, {"E3", "Young's modulus along THETA", &t.e3, nullptr}, 0);
    draw_diagram(svg, t, {"G23", "shear modulus", &t.g23, nullptr}, 1);
    draw_diagram(svg, t, {"NU32", "Poisson's ratio: solid where positive, dashed |NU32| where negative",
                          &t.posnu32, &t.negnu32},
                 2);

    // Legend: the three volume fractions, then the line styles of NU32.
    double y = picture_height - 38;
    svg.begin_group(R"(class="legend")");
    double x = picture_width / 2 - 400;
    for (int k = 0; k < fractions; ++k) {
        std::string colour = std::string(plots::series_colour(k));
        svg.line({x, y - 5}, {x + 36, y - 5}, "stroke=\"" + colour + "\" stroke-width=\"3\"");
        svg.text({x + 44, y}, fraction_label(t.vf[static_cast<std::size_t>(k)]), 15, plots::anchor::start,
                 R"(fill="#111111")");
        x += 150;
    }
    x += 20;
    svg.line({x, y - 5}, {x + 36, y - 5}, R"(stroke="#555555" stroke-width="2")");
    svg.text({x + 44, y}, "NU32 > 0", 15, plots::anchor::start, R"(fill="#111111")");
    x += 150;
    svg.line({x, y - 5}, {x + 36, y - 5}, R"(stroke="#555555" stroke-width="2" stroke-dasharray="7 4")");
    svg.text({x + 44, y}, "NU32 < 0 (drawn as |NU32|)", 15, plots::anchor::start, R"(fill="#111111")");
    svg.end_group();
    return svg.finish();
}

}  // namespace polarplot
