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
constexpr double picture_height = 745.0;
constexpr double panel_width = picture_width / 3.0;
constexpr double centre_y = 345.0;
constexpr double radius = 170.0;
constexpr double pi = 3.14159265358979323846;

bool finite_row(const column& theta, const column& values, std::size_t j) {
    return std::isfinite(theta[j]) && std::isfinite(values[j]);
}

// A value printed with `format` (a printf conversion of one double), or
// NaN, Infinity or -Infinity.
std::string number_text(float value, const char* format) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, static_cast<double>(value));
    return buffer;
}

std::string fraction_label(float vf) { return "Vf = " + number_text(vf, "%.2f"); }

// Splits the rows into runs of consecutive kept rows, each a piece of the
// curve at radius |value| (a negative E3 or G23 would be drawn through the
// centre, so the magnitude is what the rings measure).
std::vector<std::vector<plots::point>> curve(const column& theta, const column& values,
                                             const std::vector<bool>& keep, plots::point centre, double per_unit,
                                             bool magnitude) {
    return plots::runs_of(
        static_cast<std::size_t>(angles), [&](std::size_t j) { return static_cast<bool>(keep[j]); },
        [&](std::vector<plots::point>& piece, std::size_t j) {
            double r = values[j];
            if (magnitude) r = std::abs(r);
            double a = theta[j];
            piece.push_back({centre.x + r * per_unit * std::cos(a), centre.y - r * per_unit * std::sin(a)});
        });
}

// A value of the table below a diagram, to three significant digits.
std::string value_label(float value) { return number_text(value, "%.3g"); }

struct diagram {
    std::string_view title;
    std::string_view subtitle;
    std::string scale_title;
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

    svg.begin_group("class=\"diagram\" " + plots::attribute("id", d.title));
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

    // The radius scale, a ruler below the diagram from the centre to the
    // rim, so that no ring label lies on a curve or an angle label.
    double ruler_y = centre_y + radius + 48;
    svg.begin_group(R"(class="radius-scale")");
    svg.line({centre.x, ruler_y}, {centre.x + outer * per_unit, ruler_y}, R"(stroke="#555555" stroke-width="1.2")");
    for (double ring : rings) {
        if (ring < 0.0) continue;
        double x = centre.x + ring * per_unit;
        svg.line({x, ruler_y - 4}, {x, ruler_y + 4}, R"(stroke="#555555" stroke-width="1.2")");
        svg.text({x, ruler_y + 18}, plots::tick_label(ring, step), 12, plots::anchor::middle, R"(fill="#222222")");
    }
    svg.text({centre.x - 10, ruler_y + 4}, d.scale_title, 12, plots::anchor::end, R"(fill="#444444")");
    svg.end_group();

    // The values along the fibre and across it, which the curves of small
    // ones cannot show apart.
    double table_y = ruler_y + 50;
    double left = centre.x - 120;
    svg.begin_group(R"(class="values")");
    svg.text({left, table_y}, d.title, 13, plots::anchor::start, R"(font-weight="bold" fill="#111111")");
    svg.text({left + 150, table_y}, "at 0\u00b0", 13, plots::anchor::end, R"(font-weight="bold" fill="#111111")");
    svg.text({left + 240, table_y}, "at 90\u00b0", 13, plots::anchor::end, R"(font-weight="bold" fill="#111111")");
    for (int k = 0; k < fractions; ++k) {
        double y = table_y + 20.0 * (k + 1);
        std::string colour = std::string(plots::series_colour(k));
        svg.line({left, y - 4.5}, {left + 22, y - 4.5}, "stroke=\"" + colour + "\" stroke-width=\"3\"");
        svg.text({left + 28, y}, fraction_label(t.vf[static_cast<std::size_t>(k)]), 13, plots::anchor::start,
                 R"(fill="#111111")");
        for (int column = 0; column < 2; ++column) {
            std::size_t j = column == 0 ? 0 : 90;
            float value = (*d.first)[static_cast<std::size_t>(k)][j];
            if (d.second) value += (*d.second)[static_cast<std::size_t>(k)][j];
            svg.text({left + 150 + 90.0 * column, y}, value_label(value), 13, plots::anchor::end,
                     R"(fill="#111111")");
        }
    }
    svg.end_group();
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
    std::string unit = t.unit.empty() ? std::string("the unit of polar.dat") : t.unit;
    svg.text({picture_width / 2, 62},
             "radius: property value at the angle THETA from the fibre axis (moduli in " + unit + ")", 14,
             plots::anchor::middle, R"(fill="#444444")");
    std::string moduli_scale = "radius (" + (t.unit.empty() ? std::string("modulus") : t.unit) + ")";

    draw_diagram(svg, t, {"E3", "Young's modulus along THETA", moduli_scale, &t.e3, nullptr}, 0);
    draw_diagram(svg, t, {"G23", "shear modulus", moduli_scale, &t.g23, nullptr}, 1);
    draw_diagram(svg, t, {"NU32", "Poisson's ratio: solid where positive, dashed |NU32| where negative", "radius",
                          &t.posnu32, &t.negnu32},
                 2);

    // Legend: the three volume fractions, then the line styles of NU32.
    double y = picture_height - 30;
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
