// The legend of the mesh picture: one line for each thing the picture
// shows (an element group's colour, the node dot, the fault outline, the
// sample numbers) and the notes, which wrap within its width.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "plots/svg.hpp"

namespace meshplot {

// How the picture draws a faulty element, a sound one's outline, and the
// numbers; the legend draws its samples alike.
inline constexpr const char* element_style =
    R"(fill="#d40000" fill-opacity="0.12" stroke="#d40000" stroke-width="2.5" stroke-dasharray="6 3")";
inline constexpr const char* sound_stroke = R"(stroke="#4a4a4a" stroke-width="0.6")";
inline constexpr const char* element_number_colour = "#0b3d91";
inline constexpr const char* node_number_colour = "#6a3d00";

inline constexpr double legend_width = 290.0;
inline constexpr double note_size = 13.0;

// An element group of the legend: one angle and type code. NaN angles sort
// last and form one group.
struct group_key {
    float angle;
    std::int32_t type;
    bool operator==(const group_key& o) const {
        return type == o.type && (angle == o.angle || (std::isnan(angle) && std::isnan(o.angle)));
    }
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

// "angle 45.00°, type 2".
std::string group_label(const group_key& g);

// One line of the legend: a swatch, a dot, a fault outline, a sample number
// or a note, with its text.
struct legend_line {
    enum class mark { swatch, node, fault, number, note } kind;
    std::string text;
    std::string colour;  // the swatch's fill, the sample number's colour, the note's colour
    std::string sample;  // the sample number
};

// The height the lines take below the legend's top, its heading included.
double legend_height(const std::vector<legend_line>& lines);

// Draws the legend with its top left corner at (x, y).
void draw_legend(plots::svg_document& svg, double x, double y, const std::vector<legend_line>& lines);

}  // namespace meshplot
