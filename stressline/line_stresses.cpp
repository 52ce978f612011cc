#include "stressline/line_stresses.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace stressline {

namespace {

struct corner {
    double h = 0.0, v = 0.0;
};

// How far outside an edge a point may lie and still be held: a millionth
// of the largest coordinate, some eight units in the last place of a 32-bit
// real of that size, so that the rounding of the tables' coordinates and
// of the points never puts a point on an edge outside both of its elements.
double tolerance_of(const mesh_model::mesh& m) {
    double largest = 0.0;
    for (const mesh_model::node_record& n : m.nodes)
        largest = std::max({largest, std::fabs(double{n.h}), std::fabs(double{n.v})});
    return largest * 1e-6;
}

std::vector<line_point> points_of(const line& l) {
    std::vector<line_point> points(static_cast<std::size_t>(l.points));
    double dh = double{l.h2} - l.h1, dv = double{l.v2} - l.v1;
    double length = std::hypot(dh, dv);
    double last = static_cast<double>(l.points - 1);
    for (std::size_t k = 0; k < points.size(); ++k) {
        double t = static_cast<double>(k) / last;
        points[k].h = static_cast<float>(l.h1 + t * dh);
        points[k].v = static_cast<float>(l.v1 + t * dv);
        points[k].distance = static_cast<float>(t * length);
    }
    return points;
}

// Whether the anticlockwise triangle holds the point: on the inner side of
// each edge, or no farther than `tolerance` outside it.
bool holds(const std::array<corner, 3>& c, double h, double v, double tolerance) {
    for (std::size_t k = 0; k < 3; ++k) {
        const corner& a = c[k];
        const corner& b = c[(k + 1) % 3];
        double eh = b.h - a.h, ev = b.v - a.v;
        double cross = eh * (v - a.v) - ev * (h - a.h);  // the edge's length times the distance inside it
        if (cross < -tolerance * std::hypot(eh, ev)) return false;
    }
    return true;
}

// The first and last number (from 0) of the points that may lie in the box
// [low, high] along one axis, for points at from + t * step, t = k / last;
// empty (first > last) when none can.
struct index_range {
    double first = 0.0;
    double last = -1.0;
};
index_range clip(index_range r, double from, double step, double low, double high, double last) {
    if (step == 0.0) return from >= low && from <= high ? r : index_range{};
    double a = (low - from) / step * last, b = (high - from) / step * last;
    if (a > b) std::swap(a, b);
    // One point more on each side: the points are rounded to 32-bit reals,
    // and the test that follows decides.
    return {std::max(r.first, std::floor(a) - 1.0), std::min(r.last, std::ceil(b) + 1.0)};
}

}  // namespace

std::vector<line_point> stresses_along(const mesh_model::mesh& m, const line& l) {
    std::vector<line_point> points = points_of(l);
    double tolerance = tolerance_of(m);
    double last = static_cast<double>(l.points - 1);
    double dh = double{l.h2} - l.h1, dv = double{l.v2} - l.v1;
    for (std::size_t e = 0; e < m.elements.size(); ++e) {
        std::array<corner, 3> c;
        for (std::size_t k = 0; k < 3; ++k) {
            const mesh_model::node_record& n =
                m.nodes[static_cast<std::size_t>(m.node_position[static_cast<std::size_t>(m.elements[e].nodes[k])] - 1)];
            c[k] = {n.h, n.v};
        }
        auto [h_low, h_high] = std::minmax({c[0].h, c[1].h, c[2].h});
        auto [v_low, v_high] = std::minmax({c[0].v, c[1].v, c[2].v});
        index_range r{0.0, last};
        r = clip(r, l.h1, dh, h_low - tolerance, h_high + tolerance, last);
        r = clip(r, l.v1, dv, v_low - tolerance, v_high + tolerance, last);
        if (r.first > r.last) continue;
        const mesh_model::stress_record& s = m.stresses[e];
        for (auto k = static_cast<std::size_t>(r.first); k <= static_cast<std::size_t>(r.last); ++k) {
            line_point& p = points[k];
            if (!holds(c, p.h, p.v, tolerance)) continue;
            p.sh += s.sh;
            p.sz += s.sz;
            p.shz += s.shz;
            ++p.elements;
        }
    }
    return points;
}

}  // namespace stressline
