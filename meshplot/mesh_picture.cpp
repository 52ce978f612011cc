#include "meshplot/mesh_picture.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "meshplot/mesh_legend.hpp"
#include "meshplot/node_places.hpp"
#include "meshplot/picture_frame.hpp"
#include "meshplot/picture_notes.hpp"
#include "plots/axes.hpp"
#include "plots/palette.hpp"
#include "plots/svg.hpp"
#include "records/side_by_side.hpp"

namespace meshplot {

namespace {

// Around the plot: the axes' labels and title, the legend at the right.
constexpr double margin_left = 90.0, margin_top = 95.0, margin_bottom = 80.0, margin_right = 30.0;
constexpr double legend_gap = 40.0;
constexpr std::size_t legend_rows = 24;
constexpr std::size_t labelled_faults = 60;
// The notes under the plot start below the h axis's title.
constexpr double notes_below_plot = 64.0;

// The positions in the node list of the corners of an element that is
// drawn (the check found all three).
std::array<std::size_t, 3> corners_drawn(const std::array<std::int32_t, 3>& element_nodes, const node_table& table) {
    std::array<std::size_t, 3> corners{};
    for (std::size_t k = 0; k < 3; ++k) corners[k] = static_cast<std::size_t>(table.position(element_nodes[k]));
    return corners;
}

// "<polygon points="x,y x,y x,y" data-number="N"" and `rest`, the rest of
// the element's line of markup, its corners' places written once for all
// the elements that share them.
void append_polygon(std::string& out, const node_places& places, const std::array<std::size_t, 3>& corners,
                    std::int32_t number, std::string_view rest) {
    static constexpr std::string_view start = "<polygon points=\"", middle = "\" data-number=\"";
    // Room for the start, three places of 14 characters and two blanks, the
    // middle, a number of 11 and its quote: 84 characters; the rest after
    // them when it fits.
    char text[256];
    char* at = std::copy(start.begin(), start.end(), text);
    for (std::size_t k = 0; k < 3 && at != nullptr; ++k) {
        if (k > 0) *at++ = ' ';
        at = places.put_point(at, corners[k]);
    }
    if (at == nullptr) {  // a place written the general way
        out += start;
        for (std::size_t k = 0; k < 3; ++k) {
            if (k > 0) out += ' ';
            places.append_point(out, corners[k]);
        }
        at = text;
    }
    at = std::copy(middle.begin(), middle.end(), at);
    at = std::to_chars(at, at + 11, number).ptr;  // an int32 takes at most 11
    *at++ = '"';
    if (rest.size() <= static_cast<std::size_t>(text + sizeof text - at)) {
        at = std::copy(rest.begin(), rest.end(), at);
        rest = {};
    }
    out.append(text, at);
    out += rest;
}

// The markup of many elements or nodes is made and written in batches of
// this many, by the two threads in turn (records::in_alternate_batches):
// making it and copying it into the file each take about half the time.
constexpr std::size_t items_per_batch = 4096;

// Writes the markup of items 0 to count - 1 to `svg`, in order, as
// make(out, from, to) appends it.
template <typename Make>
void write_in_batches(plots::svg_document& svg, std::size_t count, Make make) {
    records::in_alternate_batches(count, items_per_batch, make, [&](std::string_view text) { svg.raw(text); });
}

// The centre of an element in the picture.
plots::point centre_of(const std::array<std::size_t, 3>& corners, const node_table& table,
                       const plots::chart_scales& s) {
    const auto& nodes = table.nodes();
    const node_record &a = nodes[corners[0]], &b = nodes[corners[1]], &c = nodes[corners[2]];
    return plots::point{s.x((double{a.h} + b.h + c.h) / 3.0), s.y((double{a.v} + b.v + c.v) / 3.0)};
}

void draw(const node_table& table, const element_table& elements, const mesh_check& check,
          const picture_options& options, const std::function<void(std::string_view)>* sink, std::string* whole) {
    const auto& nodes = table.nodes();

    // Faults per element, for the outline; the elements drawn.
    std::vector<bool> faulty(elements.size(), false);
    for (const auto* list : {&check.anticlockwise, &check.zero_area, &check.number_twice})
        for (std::size_t i : *list) faulty[i] = true;
    std::vector<bool> drawn_element(elements.size(), true);
    for (const auto* list : {&check.missing_node, &check.non_finite})
        for (std::size_t i : *list) drawn_element[i] = false;

    // Extent of the drawn elements, else of all nodes; the element groups
    // drawn with their fill (a faulty element is drawn in red instead).
    const std::size_t drawn = check.drawable;
    plots::extent h_range, v_range;
    if (drawn > 0) {
        h_range = {check.h_low, check.h_high, false};
        v_range = {check.v_low, check.v_high, false};
    } else {
        for (const node_record& n : nodes)
            if (std::isfinite(n.h) && std::isfinite(n.v)) {
                h_range.add(n.h);
                v_range.add(n.v);
            }
    }
    std::size_t faults_drawn = 0;
    std::map<group_key, int, group_order> groups;
    std::optional<group_key> last_group;
    elements.for_each([&](std::size_t i, const element_record& e) {
        if (!drawn_element[i]) return;
        if (faulty[i]) {
            ++faults_drawn;
        } else if (group_key key{e.angle, e.type}; !(last_group && *last_group == key)) {
            groups.emplace(key, 0);
            last_group = key;
        }
    });
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
    auto node_drawn = [&](std::size_t k) {
        return table.kept(k) && within(nodes[k].h, f.h) && within(nodes[k].v, f.v);
    };
    bool nodes_drawn = false;
    for (std::size_t k = 0; k < nodes.size() && !nodes_drawn; ++k) nodes_drawn = node_drawn(k);
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
    // elements goes to the document at once, in batches made on the helper
    // thread while the batch before is written.
    const node_places places(nodes, s);
    svg.begin_group(std::string(R"(class="elements" stroke-linejoin="round" )") + sound_stroke);
    write_in_batches(svg, elements.size(), [&](std::string& out, std::size_t from, std::size_t to) {
        std::optional<group_key> fill_key;
        std::string fill;
        elements.for_each(from, to, [&](std::size_t i, const element_record& e) {
            if (faulty[i] || !drawn_element[i]) return;
            if (group_key key{e.angle, e.type}; !(fill_key && *fill_key == key)) {
                fill = " fill=\"" + std::string(plots::fill_colour(groups.at(key))) + "\"/>\n";
                fill_key = key;
            }
            append_polygon(out, places, corners_drawn(e.nodes, table), e.number, fill);
        });
    });
    svg.end_group();
    if (faults_drawn > 0) {
        svg.begin_group(std::string(R"(class="faults" stroke-linejoin="round" )") + element_style);
        write_in_batches(svg, elements.size(), [&](std::string& out, std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i)
                if (faulty[i] && drawn_element[i])
                    append_polygon(out, places, corners_drawn(elements.nodes(i), table), elements[i].number, "/>\n");
        });
        svg.end_group();
    }

    // The nodes within the drawn area, as dots sized to the elements; of a
    // number given twice, the record drawn.
    double typical = drawn > 0 ? std::sqrt(f.width * f.height / static_cast<double>(drawn)) : 10.0;
    double dot = std::clamp(typical * 0.08, 0.4, 2.6);
    if (nodes_drawn) {
        const std::string radius = "\" r=\"" + plots::number(dot) + "\"/>\n";
        svg.begin_group("class=\"nodes\" fill=\"#222222\"");
        static constexpr std::string_view start = "<circle cx=\"", between = "\" cy=\"";
        write_in_batches(svg, nodes.size(), [&](std::string& out, std::size_t from, std::size_t to) {
            for (std::size_t k = from; k < to; ++k) {
                if (!node_drawn(k)) continue;
                char text[start.size() + 14 + between.size() + 16];
                char* at = std::copy(start.begin(), start.end(), text);
                if (char* end = places.put_apart(at, k, between)) {
                    out.append(text, end);
                } else {  // a place written the general way
                    out += start;
                    places.append_x(out, k);
                    out += between;
                    places.append_y(out, k);
                }
                out += radius;
            }
        });
        svg.end_group();
    }

    // Every number, on request, at a size the elements leave room for: an
    // element's at its centre, a node's above and to the right of its dot.
    if (numbered) {
        double size = std::clamp(typical * 0.22, 5.0, 12.0);
        svg.begin_group("class=\"element-numbers\" font-size=\"" + plots::number(size) + "\" text-anchor=\"middle\" fill=\"" +
                        element_number_colour + "\"");
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (!drawn_element[i] || faulty[i]) continue;
            plots::point c = centre_of(corners_drawn(elements.nodes(i), table), table, s);
            svg.raw("<text x=\"" + plots::number(c.x) + "\" y=\"" + plots::number(c.y + size * 0.35) + "\">" +
                    std::to_string(elements[i].number) + "</text>\n");
        }
        svg.end_group();
        svg.begin_group("class=\"node-numbers\" font-size=\"" + plots::number(size * 0.85) + "\" fill=\"" +
                        node_number_colour + "\"");
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            if (!node_drawn(k)) continue;
            const node_record& n = nodes[k];
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
            if (!faulty[i] || !drawn_element[i]) continue;
            plots::point centre = centre_of(corners_drawn(elements.nodes(i), table), table, s);
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

std::string mesh_picture(const node_table& table, const element_table& elements,
                         const mesh_check& check, const picture_options& options) {
    std::string whole;
    draw(table, elements, check, options, nullptr, &whole);
    return whole;
}

void write_mesh_picture(const node_table& table, const element_table& elements,
                        const mesh_check& check, const picture_options& options,
                        const std::function<void(std::string_view)>& sink) {
    draw(table, elements, check, options, &sink, nullptr);
}

}  // namespace meshplot
