#include "meshplot/picture_frame.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace meshplot {

namespace {

// The plot area's width and height: at most, and at least (a slender mesh
// is then drawn at two scales).
constexpr double max_plot_width = 1000.0, max_plot_height = 680.0;
constexpr double min_plot_width = 420.0, min_plot_height = 260.0;

plots::domain padded(const plots::extent& e) {
    double span = e.high - e.low;
    double pad = span > 0.0 && std::isfinite(span) ? span * 0.02 : (e.low == 0.0 ? 0.5 : std::abs(e.low) * 0.1);
    return plots::domain{e.low - pad, e.high + pad};
}

}  // namespace

frame_layout lay_out(const plots::extent& h_range, const plots::extent& v_range) {
    frame_layout f;
    f.h = padded(h_range);
    f.v = padded(v_range);
    double h_span = f.h.high - f.h.low;
    double v_span = f.v.high - f.v.low;
    double scale = std::min(max_plot_width / h_span, max_plot_height / v_span);
    f.width = h_span * scale;
    f.height = v_span * scale;
    if (!std::isfinite(f.width) || !std::isfinite(f.height)) {
        f.width = max_plot_width;
        f.height = max_plot_height;
    }
    // A plot exactly at the least size keeps its one scale: only a smaller
    // one is widened.
    bool wide_h = f.width < min_plot_width, wide_v = f.height < min_plot_height;
    f.width = std::max(f.width, min_plot_width);
    f.height = std::max(f.height, min_plot_height);
    if (wide_h || wide_v) {
        double h_scale = f.width / h_span, v_scale = f.height / v_span;
        char factor[48];
        std::snprintf(factor, sizeof factor, "%.3g", wide_v ? v_scale / h_scale : h_scale / v_scale);
        f.stretch = std::string(wide_v ? "v" : "h") + " drawn at " + factor + " times the scale of " +
                    (wide_v ? "h" : "v") + ": the mesh is too slender to show at one scale, so its shapes are " +
                    (wide_v ? "stretched upwards" : "stretched sideways");
    }
    return f;
}

}  // namespace meshplot
