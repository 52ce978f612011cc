#include "profileplot/profile_picture.hpp"

#include <vector>

#include "profileplot/step_chart.hpp"

namespace profileplot {

namespace {

constexpr double panel_height = 340.0;
constexpr double first_top = 110.0;

}  // namespace

std::string profile_picture(const profile_tables& t) {
    double height = first_top + 4 * panel_height - 20;
    plots::svg_document svg(picture_width, height, "Stress profiles of wstressavg.out");
    svg.text({frame_left, 40}, "Stress profiles of wstressavg.out", 24, plots::anchor::start,
             R"(font-weight="bold" fill="#111111")");
    svg.text({frame_left, 64},
             "means of the element stresses in wstresses.out, in the solver's units: a dot per record, a step per slice",
             14, plots::anchor::start, R"(fill="#444444")");

    // The records near Y/B = 1 lie close together: SIGZ there and the
    // same stretch of SAZM and SAZT get charts of their own.
    std::vector<double> near_edge = x_ticks_of(t.edge_ydb, false);
    draw_chart(svg, first_top, "SIGZ and SIGHZ along Z/H", "Z/H",
               {{"SIGZ", 0, t.zdh, t.sigz}, {"SIGHZ", 1, t.zdh, t.sighz}}, x_ticks_of(t.zdh, true));
    draw_chart(svg, first_top + panel_height, "SIGZ near Y/B = 1", "Y/B", {{"SIGZ", 0, t.edge_ydb, t.edge_sigz}},
               near_edge);
    draw_chart(svg, first_top + 2 * panel_height, "SAZM and SAZT along Y/B", "Y/B",
               {{"SAZM", 2, t.ydb, t.sazm}, {"SAZT", 3, t.ydb, t.sazt}}, x_ticks_of(t.ydb, true));
    draw_chart(svg, first_top + 3 * panel_height, "SAZM and SAZT near Y/B = 1", "Y/B",
               {{"SAZM", 2, t.ydb, t.sazm}, {"SAZT", 3, t.ydb, t.sazt}}, near_edge);
    return svg.finish();
}

}  // namespace profileplot
