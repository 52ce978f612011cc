// A chart of stress profiles drawn as steps: its frame, ticks and titles,
// a curve and a dot per record for each profile, and a legend.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "plots/svg.hpp"

namespace profileplot {

inline constexpr double picture_width = 1040.0;
inline constexpr double frame_left = 110.0;
inline constexpr double frame_width = 680.0;
inline constexpr double frame_height = 230.0;

struct series {
    std::string_view name;
    int colour;
    std::span<const float> xs;
    std::span<const float> ys;
    // The records' numbers where some may be missing: a step ends at a gap
    // in them. Empty when the records follow one another.
    std::span<const std::int32_t> numbers = {};
};

// The x ticks of a chart: 0 to 1, or round numbers around the given values.
std::vector<double> x_ticks_of(std::span<const float> xs, bool unit_x_range);

// One chart whose frame has its top at `top`, its x axis spanning the
// ticks. Each record's value holds across its slice, from halfway to the
// record before to halfway to the record after (at the ends of a run of
// records, as far out as inwards); records whose coordinates are not both
// finite, or that lie outside the x ticks, are left out. `empty_note` is
// shown when no value is drawn.
void draw_chart(plots::svg_document& svg, double top, std::string_view title, std::string_view x_title,
                const std::vector<series>& curves, const std::vector<double>& x_ticks,
                std::string_view empty_note = "no finite value to draw");

}  // namespace profileplot
