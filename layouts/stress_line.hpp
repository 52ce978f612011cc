// The stresses along a line "wstressline.out": one record per point of the
// line that the mesh holds, in the order of the points. stressline writes
// it; profileplot reads it. The blank before each stress keeps the fields
// apart for awk and spreadsheets.
#pragma once

#include "layouts/record.hpp"

namespace layouts {

inline constexpr std::string_view stress_line_file = "wstressline.out";

// The most points a line has: their numbers are I6 fields.
inline constexpr std::int32_t max_line_points = 999999;

struct line_point_record {
    static inline const records::record_format format{"(I6,3F12.6,3(1X,E11.4))"};
    std::int32_t number = 0;  // the point's number along the line, from 1
    float distance = 0.0f;    // from the line's first point
    float h = 0.0f, v = 0.0f;
    // The stress along h (SH), along v (SZ) and the h-v shear (SHZ), named as
    // in wstresses.out and mesh.vtu:
    // the mean over the elements that hold the point.
    float sh = 0.0f, sz = 0.0f, shz = 0.0f;
    static constexpr std::string_view last_field_name = "the shear stress";
    static constexpr std::array<std::string_view, 7> field_names{"point", "distance", "h", "v", "SH", "SZ", "SHZ"};
    static auto fields(auto& p) { return std::tie(p.number, p.distance, p.h, p.v, p.sh, p.sz, p.shz); }
};

}  // namespace layouts
