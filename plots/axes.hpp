// Axes of the pictures: the extent of the finite values, tick values at
// round numbers, their labels, and a rectangular chart frame with ticks,
// grid lines and axis titles.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "plots/svg.hpp"

namespace plots {

// The smallest and largest finite value seen; infinities and NaN are left out.
struct extent {
    double low = 0.0;
    double high = 0.0;
    bool empty = true;

    void add(double value);
};

// Ticks at a round step (1, 2 or 5 times a power of ten) that cover
// [low, high]: the first tick is at or below low and the last at or above
// high, with about `target` intervals between them. An empty or one-point
// range is widened around its value; non-finite bounds give 0 to 1.
std::vector<double> nice_ticks(double low, double high, int target);

// A tick value written with as many decimals as the step between ticks
// needs; very large or very small values in exponent form.
std::string tick_label(double value, double step);

// A linear map from data values to picture positions.
struct linear_scale {
    double data_from = 0.0;
    double data_to = 1.0;
    double picture_from = 0.0;
    double picture_to = 1.0;

    double operator()(double value) const;
};

struct chart_frame {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// Draws the frame of a chart: grid lines at the ticks, the frame, tick
// labels below and to the left, and the two axis titles. Returns the scales
// of the two axes (y grows upwards in the picture).
struct chart_scales {
    linear_scale x;
    linear_scale y;
};
chart_scales draw_chart_frame(svg_document& svg, const chart_frame& frame, const std::vector<double>& x_ticks,
                              const std::vector<double>& y_ticks, std::string_view x_title,
                              std::string_view y_title);

// The same for a frame that spans exactly [low, high] on each axis: the
// ticks that fall outside are left out.
struct domain {
    double low = 0.0;
    double high = 1.0;
};
chart_scales draw_chart_frame(svg_document& svg, const chart_frame& frame, domain x, domain y,
                              const std::vector<double>& x_ticks, const std::vector<double>& y_ticks,
                              std::string_view x_title, std::string_view y_title);

// A curve cut into the runs of consecutive kept rows, for svg_document::path:
// rows 0 to count - 1, where `kept(j)` says whether row j is drawn and
// `add(piece, j)` appends its points to the run it belongs to. A row left
// out ends the run before it.
template <typename Kept, typename Add>
std::vector<std::vector<point>> runs_of(std::size_t count, Kept kept, Add add) {
    std::vector<std::vector<point>> pieces(1);
    for (std::size_t j = 0; j < count; ++j) {
        if (!kept(j)) {
            if (!pieces.back().empty()) pieces.emplace_back();
            continue;
        }
        add(pieces.back(), j);
    }
    return pieces;
}

}  // namespace plots
