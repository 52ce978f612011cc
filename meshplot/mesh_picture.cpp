#include "meshplot/mesh_picture.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "meshplot/coordinate_text.hpp"
#include "meshplot/mesh_legend.hpp"
#include "meshplot/picture_frame.hpp"
#include "meshplot/picture_notes.hpp"
#include "plots/axes.hpp"
#include "plots/palette.hpp"
#include "plots/svg.hpp"

namespace meshplot {

namespace {

// Around the plot: the axes' labels and title, the legend at the right.
constexpr double margin_left = 90.0, margin_top = 95.0, margin_bottom = 80.0, margin_right = 30.0;
constexpr double legend_gap = 40.0;
constexpr std::size_t legend_rows = 24;
constexpr std::size_t labelled_faults = 60;
// The notes under the plot start below the h axis's title.
constexpr double notes_below_plot = 64.0;

// The corners of an element as drawn: none when a node is missing or a
// coordinate is not finite.
std::optional<corner_points> drawn_corners(const element_record& e, const node_table& table) {
    std::optional<corner_points> p = corners_of(e, table);
    if (p && !finite_corners(*p)) p.reset();
    return p;
}

void draw(const node_table& table, const std::vector<element_record>& elements, const mesh_check& check,
          const picture_options& options, const std::function<void(std::string_view)>* sink, std::string* whole) {
    const std::vector<node_record>& nodes = table.nodes();

    // Faults per element, for the outline.
    std::vector<bool> faulty(elements.size(), false);
    for (const auto* list : {&check.anticlockwise, &check.zero_area, &check.number_twice})
        for (std::size_t i : *list) faulty[i] = true;

    // Extent of the drawn elements, else of all nodes; the element groups
    // drawn with their fill (a faulty element is drawn in red instead).
    plots::extent h_range, v_range;
    std::size_t drawn = 0, faults_drawn = 0;
    std::map<group_key, int, group_order> groups;
    std::optional<group_key> last_group;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const element_record& e = elements[i];
        std::optional<corner_points> p = drawn_corners(e, table);
        if (!p) continue;
        ++drawn;
        for (std::size_t k = 0; k < 3; ++k) {
            h_range.add(p->h[k]);
            v_range.add(p->v[k]);
        }
        if (faulty[i]) {
            ++faults_drawn;
        } else if (group_key key{e.angle, e.type}; !(last_group && *last_group == key)) {
            groups.emplace(key, 0);
            last_group = key;
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
    const frame_layout f = lay_out(h_range, v_range);
    int next = 0;
    for (auto& [key, colour] : groups) colour = next++;

    // What the picture shows, and so its legend.
    auto within = [](double value, plots::domain d) { return value >= d.low && value <= d.high; };
    auto node_drawn = [&](const node_record& n) {
        return table.find(n.number) == &n && within(n.h, f.h) && within(n.v, f.v);
    };
    bool nodes_drawn = std::any_of(nodes.begin(), nodes.end(), node_drawn);
    bool numbered = options.numbers && elements.size() <= numbered_elements;
    std::vector<legend_line> legend;
    for (const auto& [key, colour] : groups) {
        if (legend.size() == legend_rows) break;
        legend.push_back({legend_line::mark::swatch, group_label(key), std::string(plots::fill_colour(colour)), {}});
    }
    if (groups.size() > legend.size())
        legend.push_back({legend_line::mark::note, "... and " + std::to_string(groups.size() - legend.size()) +
                                                       " more groups", "#444444", {}});
    if (groups.size() > static_cast<std::size_t>(plots::fill_colour_count))
        legend.push_back({legend_line::mark::note,
                          "(colours repeat after " + std::to_string(plots::fill_colour_count) + " groups)", "#444444",
                          {}});
    if (nodes_drawn) legend.push_back({legend_line::mark::node, "node", {}, {}});
    if (faults_drawn > 0)
        legend.push_back({legend_line::mark::fault,
                          faults_drawn <= labelled_faults || numbered
                              ? "faulty element (number shown)"
                              : "faulty element (the first " + std::to_string(labelled_faults) + " numbered)",
                          {}, {}});
    if (numbered) {
        legend.push_back({legend_line::mark::number, "element number", element_number_colour, "12"});
        if (nodes_drawn) legend.push_back({legend_line::mark::number, "node number", node_number_colour, "7"});
    }
    std::size_t undrawn = check.missing_node.size() + check.non_finite.size();
    if (undrawn > 0)
        legend.push_back({legend_line::mark::note,
                          std::to_string(undrawn) + (undrawn == 1 ? " element" : " elements") +
                              " not drawn (missing node or coordinate not finite)",
                          "#d40000", {}});

    // The notes under the plot.
    std::vector<std::string> notes;
    if (!f.stretch.empty()) notes.push_back(f.stretch);
    if (options.numbers && !numbered)
        notes.push_back("numbers left out: " + std::to_string(elements.size()) + " elements are more than the " +
                        std::to_string(numbered_elements) + " whose numbers can be read in one picture");

    double width = margin_left + f.width + legend_gap + legend_width + margin_right;
    double notes_height = 0.0;
    for (const std::string& note : notes) notes_height += wrapped_height(note, note_size, f.width);
    double height = std::max({margin_top + f.height + margin_bottom,
                              margin_top + f.height + notes_below_plot + notes_height + 16.0,
                              margin_top + legend_height(legend) + 40.0});
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

    std::vector<double> h_ticks = plots::nice_ticks(f.h.low, f.h.high, std::max(2, static_cast<int>(f.width / 70)));
    std::vector<double> v_ticks = plots::nice_ticks(f.v.low, f.v.high, std::max(2, static_cast<int>(f.height / 60)));
    plots::chart_frame frame{margin_left, margin_top, f.width, f.height};
    plots::chart_scales s = plots::draw_chart_frame(svg, frame, f.h, f.v, h_ticks, v_ticks, "h", "v");
    double note_y = margin_top + f.height + notes_below_plot;
    for (const std::string& note : notes)
        note_y = write_wrapped(svg, {margin_left, note_y}, note, note_size, f.width, R"(fill="#444444")");

    // Sound elements first, then the faulty ones over them, filled thinly so
    // that an element they overlap still shows through. The markup of many
    // elements goes to the document at once.
    // Markup goes to the picture in batches of about 32 KiB.
    constexpr std::size_t batch = 1 << 15;
    std::string line;
    line.reserve(batch + 256);
    auto send_if_full = [&] {
        if (line.size() < batch) return;
        svg.raw(line);
        line.clear();
    };
    auto send_and_end_group = [&] {
        svg.raw(line);
        line.clear();
        svg.end_group();
    };
    svg.begin_group(std::string(R"(class="elements" stroke-linejoin="round" )") + sound_stroke);
    std::optional<group_key> fill_key;
    std::string fill;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (faulty[i]) continue;
        const element_record& e = elements[i];
        std::optional<corner_points> p = drawn_corners(e, table);
        if (!p) continue;
        if (group_key key{e.angle, e.type}; !(fill_key && *fill_key == key)) {
            fill = " fill=\"" + std::string(plots::fill_colour(groups[key])) + "\"/>\n";
            fill_key = key;
        }
        append_polygon(line, *p, s, e.number);
        line += fill;
        send_if_full();
    }
    send_and_end_group();
    if (faults_drawn > 0) {
        svg.begin_group(std::string(R"(class="faults" stroke-linejoin="round" )") + element_style);
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (!faulty[i]) continue;
            std::optional<corner_points> p = drawn_corners(elements[i], table);
            if (!p) continue;
            append_polygon(line, *p, s, elements[i].number);
            line += "/>\n";
            send_if_full();
        }
        send_and_end_group();
    }

    // The nodes within the drawn area, as dots sized to the elements; of a
    // number given twice, the record drawn.
    double typical = drawn > 0 ? std::sqrt(f.width * f.height / static_cast<double>(drawn)) : 10.0;
    double dot = std::clamp(typical * 0.08, 0.4, 2.6);
    if (nodes_drawn) {
        const std::string radius = "\" r=\"" + plots::number(dot) + "\"/>\n";
        svg.begin_group("class=\"nodes\" fill=\"#222222\"");
        for (const node_record& n : nodes) {
            if (!node_drawn(n)) continue;
            line += "<circle cx=\"";
            append_coordinate(line, s.x(n.h));
            line += "\" cy=\"";
            append_coordinate(line, s.y(n.v));
            line += radius;
            send_if_full();
        }
        send_and_end_group();
    }

    // Every number, on request, at a size the elements leave room for: an
    // element's at its centre, a node's above and to the right of its dot.
    auto centre_of = [&](const corner_points& p) {
        return plots::point{s.x((p.h[0] + p.h[1] + p.h[2]) / 3.0), s.y((p.v[0] + p.v[1] + p.v[2]) / 3.0)};
    };
    if (numbered) {
        double size = std::clamp(typical * 0.22, 5.0, 12.0);
        svg.begin_group("class=\"element-numbers\" font-size=\"" + plots::number(size) + "\" text-anchor=\"middle\" fill=\"" +
                        element_number_colour + "\"");
        for (std::size_t i = 0; i < elements.size(); ++i) {
            std::optional<corner_points> p = drawn_corners(elements[i], table);
            if (!p || faulty[i]) continue;
            plots::point c = centre_of(*p);
            svg.raw("<text x=\"" + plots::number(c.x) + "\" y=\"" + plots::number(c.y + size * 0.35) + "\">" +
                    std::to_string(elements[i].number) + "</text>\n");
        }
        svg.end_group();
        svg.begin_group("class=\"node-numbers\" font-size=\"" + plots::number(size * 0.85) + "\" fill=\"" +
                        node_number_colour + "\"");
        for (const node_record& n : nodes) {
            if (!node_drawn(n)) continue;
            svg.raw("<text x=\"" + plots::number(s.x(n.h) + dot + 1.0) + "\" y=\"" + plots::number(s.y(n.v) - dot - 1.0) +
                    "\">" + std::to_string(n.number) + "</text>\n");
        }
        svg.end_group();
    }

    // Numbers of the faulty elements, at their centres.
    if (faults_drawn > 0) {
        svg.begin_group(R"(class="fault-labels")");
        std::size_t labels = 0;
        for (std::size_t i = 0; i < elements.size() && (numbered || labels < labelled_faults); ++i) {
            if (!faulty[i]) continue;
            std::optional<corner_points> p = drawn_corners(elements[i], table);
            if (!p) continue;
            plots::point centre = centre_of(*p);
            svg.text({centre.x, centre.y + 4}, std::to_string(elements[i].number), 12, plots::anchor::middle,
                     R"(fill="#d40000" font-weight="bold" stroke="#ffffff" stroke-width="3" paint-order="stroke")");
            ++labels;
        }
        svg.end_group();
    }

    draw_legend(svg, margin_left + f.width + legend_gap, margin_top + 10, legend);
    std::string rest = svg.finish();
    if (whole) *whole = std::move(rest);
}

}  // namespace

std::string mesh_picture(const node_table& table, const std::vector<element_record>& elements,
                         const mesh_check& check, const picture_options& options) {
    std::string whole;
    draw(table, elements, check, options, nullptr, &whole);
    return whole;
}

void write_mesh_picture(const node_table& table, const std::vector<element_record>& elements,
                        const mesh_check& check, const picture_options& options,
                        const std::function<void(std::string_view)>& sink) {
    draw(table, elements, check, options, &sink, nullptr);
}

}  // namespace meshplot
