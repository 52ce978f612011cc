#include "meshplot/mesh_picture.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "plots/axes.hpp"
#include "plots/palette.hpp"
#include "plots/svg.hpp"

namespace meshplot {

namespace {

// An element group of the legend: one angle and type code. NaN angles sort
// last and form one group.
struct group_key {
    float angle;
    std::int32_t type;
};

struct group_order {
    bool operator()(const group_key& a, const group_key& b) const {
        bool a_nan = std::isnan(a.angle);
        bool b_nan = std::isnan(b.angle);
        if (a_nan != b_nan) return b_nan;
        if (!a_nan && a.angle != b.angle) return a.angle < b.angle;
        return a.type < b.type;
    }
};

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

// The plot area's width and height: at most, and at least (a slender mesh
// is then drawn at two scales).
constexpr double max_plot_width = 1000.0, max_plot_height = 680.0;
constexpr double min_plot_width = 420.0, min_plot_height = 260.0;
// Around the plot: the axes' labels and title, the legend at the right.
constexpr double margin_left = 90.0, margin_top = 95.0, margin_bottom = 80.0, margin_right = 30.0;
constexpr double legend_width = 290.0;
constexpr std::size_t legend_rows = 24;
constexpr std::size_t labelled_faults = 60;

// The corners of an element as drawn: none when a node is missing or a
// coordinate is not finite.
std::optional<corner_points> drawn_corners(const element_record& e, const node_table& table) {
    std::optional<corner_points> p = corners_of(e, table);
    if (p && !finite_corners(*p)) p.reset();
    return p;
}

void draw(const node_table& table, const std::vector<element_record>& elements,
          const mesh_check& check, const std::function<void(std::string_view)>* sink, std::string* whole) {
    const std::vector<node_record>& nodes = table.nodes();

    // Faults per element, for the outline.
    std::vector<bool> faulty(elements.size(), false);
    for (const auto* list : {&check.anticlockwise, &check.zero_area, &check.number_twice})
        for (std::size_t i : *list) faulty[i] = true;

    // Extent of the drawable elements, else of all nodes.
    plots::extent h_range, v_range;
    std::size_t drawn = 0;
    for (const element_record& e : elements) {
        std::optional<corner_points> p = drawn_corners(e, table);
        if (!p) continue;
        ++drawn;
        for (std::size_t k = 0; k < 3; ++k) {
            h_range.add(p->h[k]);
            v_range.add(p->v[k]);
        }
    }
    if (h_range.empty)
        for (const node_record& n : nodes)
            if (std::isfinite(n.h) && std::isfinite(n.v)) {
                h_range.add(n.h);
                v_range.add(n.v);
            }
    if (h_range.empty) {
        h_range.add(0.0);
        h_range.add(1.0);
        v_range.add(0.0);
        v_range.add(1.0);
    }
    // A small margin around the mesh so that its edges stay clear of the frame.
    auto padded = [](const plots::extent& e) {
        double span = e.high - e.low;
        double pad = span > 0.0 && std::isfinite(span) ? span * 0.02 : (e.low == 0.0 ? 0.5 : std::abs(e.low) * 0.1);
        return plots::domain{e.low - pad, e.high + pad};
    };
    plots::domain h_domain = padded(h_range);
    plots::domain v_domain = padded(v_range);
    double h_span = h_domain.high - h_domain.low;
    double v_span = v_domain.high - v_domain.low;
    // One scale for both directions, so that the elements keep their shapes,
    // unless the mesh is so slender that it would be too thin to read: then
    // the thin direction is widened.
    double scale = std::min(max_plot_width / h_span, max_plot_height / v_span);
    double plot_width = h_span * scale;
    double plot_height = v_span * scale;
    if (!std::isfinite(plot_width) || !std::isfinite(plot_height)) {
        plot_width = max_plot_width;
        plot_height = max_plot_height;
    }
    bool same_scale = plot_width >= min_plot_width && plot_height >= min_plot_height;
    plot_width = std::max(plot_width, min_plot_width);
    plot_height = std::max(plot_height, min_plot_height);
    std::vector<double> h_ticks = plots::nice_ticks(h_domain.low, h_domain.high, std::max(2, static_cast<int>(plot_width / 70)));
    std::vector<double> v_ticks = plots::nice_ticks(v_domain.low, v_domain.high, std::max(2, static_cast<int>(plot_height / 60)));

    // Element groups by angle and type code, in order, each with its fill.
    std::map<group_key, int, group_order> groups;
    for (const element_record& e : elements) groups.emplace(group_key{e.angle, e.type}, 0);
    int next = 0;
    for (auto& [key, colour] : groups) colour = next++;

    std::size_t legend_entries = std::min(groups.size(), legend_rows);
    double width = margin_left + plot_width + 40 + legend_width + margin_right;
    double height = std::max(margin_top + plot_height + margin_bottom,
                             margin_top + 40 + 24.0 * static_cast<double>(legend_entries + 5));
    const char* title = "Finite-element mesh of wnodes.out and wtopo.out";
    plots::svg_document svg = sink ? plots::svg_document(width, height, title, *sink)
                                   : plots::svg_document(width, height, title);
    svg.text({margin_left, 38}, title, 22, plots::anchor::start, R"(font-weight="bold" fill="#111111")");
    std::string summary = std::to_string(check.nodes) + " nodes, " + std::to_string(check.elements) +
                          " elements, shaded by angle and type code; " +
                          (check.clean()                ? std::string("the check found no fault")
                           : check.marked_in_picture() ? "faulty elements outlined in red (see the check)"
                                                       : "the check found faults it cannot mark here");
    svg.text({margin_left, 62}, summary, 14, plots::anchor::start, R"(fill="#444444")");

    plots::chart_frame frame{margin_left, margin_top, plot_width, plot_height};
    plots::chart_scales s = plots::draw_chart_frame(svg, frame, h_domain, v_domain, h_ticks, v_ticks, "h", "v");
    if (!same_scale)
        svg.text({margin_left, margin_top + plot_height + 64}, "h and v drawn at different scales (slender mesh)",
                 13, plots::anchor::start, R"(fill="#444444")");

    auto polygon_of = [&](const corner_points& p) {
        std::array<plots::point, 3> points;
        for (std::size_t k = 0; k < 3; ++k) points[k] = {s.x(p.h[k]), s.y(p.v[k])};
        return points;
    };

    // Sound elements first, then the faulty ones over them, filled thinly so
    // that an element they overlap still shows through.
    svg.begin_group(R"(class="elements" stroke-linejoin="round")");
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (faulty[i] != (pass == 1)) continue;
            const element_record& e = elements[i];
            std::optional<corner_points> p = drawn_corners(e, table);
            if (!p) continue;
            std::string style = "class=\"element" + std::string(faulty[i] ? " fault" : "") + "\" data-number=\"" +
                                std::to_string(e.number) + "\" ";
            if (faulty[i])
                style += R"(fill="#d40000" fill-opacity="0.12" stroke="#d40000" stroke-width="2.5" stroke-dasharray="6 3")";
            else
                style += "fill=\"" + std::string(plots::fill_colour(groups[group_key{e.angle, e.type}])) +
                         R"(" stroke="#4a4a4a" stroke-width="0.6")";
            auto points = polygon_of(*p);
            svg.polygon(points, style);
        }
    }
    svg.end_group();

    // The nodes within the drawn area, as dots sized to the elements; of a
    // number given twice, the record drawn.
    double typical = drawn > 0 ? std::sqrt(plot_width * plot_height / static_cast<double>(drawn)) : 10.0;
    double dot = std::clamp(typical * 0.08, 0.4, 2.6);
    auto within = [](double value, plots::domain d) { return value >= d.low && value <= d.high; };
    svg.begin_group("class=\"nodes\" fill=\"#222222\"");
    for (const node_record& n : nodes) {
        if (table.find(n.number) != &n || !within(n.h, h_domain) || !within(n.v, v_domain)) continue;
        svg.circle({s.x(n.h), s.y(n.v)}, dot, {});
    }
    svg.end_group();

    // Numbers of the faulty elements, at their centres.
    svg.begin_group(R"(class="fault-labels")");
    std::size_t labels = 0;
    for (std::size_t i = 0; i < elements.size() && labels < labelled_faults; ++i) {
        if (!faulty[i]) continue;
        std::optional<corner_points> p = drawn_corners(elements[i], table);
        if (!p) continue;
        plots::point centre{s.x((p->h[0] + p->h[1] + p->h[2]) / 3.0), s.y((p->v[0] + p->v[1] + p->v[2]) / 3.0)};
        svg.text({centre.x, centre.y + 4}, std::to_string(elements[i].number), 12, plots::anchor::middle,
                 R"(fill="#d40000" font-weight="bold" stroke="#ffffff" stroke-width="3" paint-order="stroke")");
        ++labels;
    }
    svg.end_group();

    // Legend: element groups, then the node dot, the fault outline and what
    // is not drawn.
    double x = margin_left + plot_width + 40;
    double y = margin_top + 10;
    svg.begin_group(R"(class="legend")");
    svg.text({x, y}, "angle and type code", 15, plots::anchor::start, R"(font-weight="bold" fill="#111111")");
    y += 26;
    std::size_t shown = 0;
    for (const auto& [key, colour] : groups) {
        if (shown == legend_rows) break;
        svg.rect(x, y - 13, 22, 16,
                 "fill=\"" + std::string(plots::fill_colour(colour)) + R"(" stroke="#4a4a4a" stroke-width="0.6")");
        svg.text({x + 30, y}, group_label(key), 14, plots::anchor::start, R"(fill="#111111")");
        y += 24;
        ++shown;
    }
    if (groups.size() > shown) {
        svg.text({x, y}, "... and " + std::to_string(groups.size() - shown) + " more groups", 14,
                 plots::anchor::start, R"(fill="#444444")");
        y += 24;
    }
    if (groups.size() > static_cast<std::size_t>(plots::fill_colour_count)) {
        svg.text({x, y}, "(colours repeat after " + std::to_string(plots::fill_colour_count) + " groups)", 13,
                 plots::anchor::start, R"(fill="#444444")");
        y += 24;
    }
    y += 10;
    svg.circle({x + 11, y - 5}, 2.6, R"(fill="#222222")");
    svg.text({x + 30, y}, "node", 14, plots::anchor::start, R"(fill="#111111")");
    y += 24;
    svg.rect(x, y - 13, 22, 16,
             R"(fill="#d40000" fill-opacity="0.12" stroke="#d40000" stroke-width="2.5" stroke-dasharray="6 3")");
    svg.text({x + 30, y}, "faulty element (number shown)", 14, plots::anchor::start, R"(fill="#111111")");
    y += 24;
    std::size_t undrawn = check.missing_node.size() + check.non_finite.size();
    if (undrawn > 0)
        svg.text({x, y}, std::to_string(undrawn) + (undrawn == 1 ? " element" : " elements") +
                             " not drawn (missing node or coordinate not finite)",
                 13, plots::anchor::start, R"(fill="#d40000")");
    svg.end_group();
    std::string rest = svg.finish();
    if (whole) *whole = std::move(rest);
}

}  // namespace

std::string mesh_picture(const node_table& table, const std::vector<element_record>& elements,
                         const mesh_check& check) {
    std::string whole;
    draw(table, elements, check, nullptr, &whole);
    return whole;
}

void write_mesh_picture(const node_table& table, const std::vector<element_record>& elements,
                        const mesh_check& check, const std::function<void(std::string_view)>& sink) {
    draw(table, elements, check, &sink, nullptr);
}

}  // namespace meshplot
