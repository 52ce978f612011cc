#include "polar/off_axis.hpp"

#include <cmath>

#include "layouts/polar_tables.hpp"
#include "polar/column_matrix.hpp"
#include "polar/units.hpp"

namespace polar {

namespace {

// The tilt angle, 0 degrees on every pass, with its cosine and sine, which
// are exactly 1 and 0. The terms of NU13 they multiply stay in the formula:
// with a compliance that is not finite they still carry a NaN into it.
constexpr float alpha = 0.0f;
constexpr float ca = 1.0f;
constexpr float sa = 0.0f;

// The properties at angle counter j (1 to 361) from the compliance s.
off_axis_values properties_at(const matrix6& s, std::int32_t j) {
    const float s11 = el(s, 1, 1);
    const float s12 = el(s, 1, 2);
    const float s13 = el(s, 1, 3);
    const float s33 = el(s, 3, 3);
    const float s44 = el(s, 4, 4);
    const float s55 = el(s, 5, 5);
    const float a = (2.0f * s13 + s44) - 2.0f * s11;
    const float b = ((s11 + s33) - 2.0f * s13) - s44;
    const float c = (s11 - s12) - s44 / 2.0f;

    off_axis_values v;
    v.theta = theta_of(j);
    const float thetar = (v.theta * pi) / 180.0f;
    const float cn = std::cos(thetar);
    const float sn = std::sin(thetar);
    const float cn4 = (cn * cn) * (cn * cn);

    v.e3 = 1.0f / ((s11 + (a * cn) * cn) + b * cn4);
    v.t3 = 1.0f / ((s44 + (c * sn) * sn) + ((((b * 2.0f) * cn) * cn) * sn) * sn);
    // G23 is the same expression, formed again.
    v.g23 = 1.0f / ((s44 + (c * sn) * sn) + ((((b * 2.0f) * cn) * cn) * sn) * sn);
    v.g13 = 1.0f / ((s55 * cn) * cn + ((((s11 - s12) * 2.0f) * sn) * sn));
    v.k3 = ((s11 + s12) + s13) - ((((s11 - s33) + s12) - s13) * cn) * cn;
    v.nu32 = (-s13 - (((b * cn) * cn) * sn) * sn) / ((s11 + (a * cn) * cn) + b * ((cn * cn) * (cn * cn)));

    const float ca4 = (ca * ca) * (ca * ca);
    const float sa4 = (sa * sa) * (sa * sa);
    const float n = ((((((((s11 + s33) - s44) * ca) * ca) * sa) * sa) * cn) * cn + (((s12 * ca) * ca) * sn) * sn) +
                    s13 * ((cn * cn) * (ca4 + sa4) + ((sa * sa) * sn) * sn);
    const float d = (s11 + (a * sa) * sa) + b * sa4;
    v.nu13 = -(n / d);
    return v;
}

}  // namespace

float& angle_table::operator()(int j, int k) { return column_matrix<float>(cells_, angle_rows)(j, k); }
float angle_table::operator()(int j, int k) const { return column_matrix<const float>(cells_, angle_rows)(j, k); }

float theta_of(std::int32_t j) { return static_cast<float>(j) + -1.0f; }

std::array<off_axis_values, angle_rows> off_axis_sweep(const matrix6& s) {
    std::array<off_axis_values, angle_rows> values{};
    for (std::int32_t j = 1; j <= angle_rows; ++j) values[static_cast<std::size_t>(j - 1)] = properties_at(s, j);
    return values;
}

void sweep(records::run& r, const matrix6& s, float vf, int k, angle_tables& tables) {
    static const records::record_format heading(
        "(' TILT ANGLE ALPHA=',E10.3,' VOLUME FRACTION=',E10.3,/,/,5X,'THETA',9X,'E3',10X,'T3',9X,'G23',9X,'G13',"
        "10X,'K3',8X,'NU32',9X,'NU13')");
    static const records::record_format row("(8(2X,E10.3))");

    const std::array<off_axis_values, angle_rows> values = off_axis_sweep(s);
    r.write(units::polar_out, heading, alpha, vf);
    for (std::int32_t j = 1; j <= angle_rows; ++j) {
        const off_axis_values& v = values[static_cast<std::size_t>(j - 1)];
        tables.e3(j, k) = v.e3;
        tables.g23(j, k) = v.g23;
        tables.nu32(j, k) = v.nu32;
        r.write(units::polar_out, row, v.theta, v.e3, v.t3, v.g23, v.g13, v.k3, v.nu32, v.nu13);
        // NaN and exactly 0.0 go into neither half.
        if (v.nu32 > 0.0f) tables.posnu32(j, k) = v.nu32;
        if (v.nu32 < 0.0f) tables.negnu32(j, k) = v.nu32;
    }
}

void write_plot_files(records::run& r, const angle_tables& tables) {
    for (std::int32_t jj = 1; jj <= angle_rows; ++jj) {
        const float theta = theta_of(jj);
        const float thetar = (theta * pi) / 180.0f;
        const layouts::plot_record e3{thetar, {tables.e3(jj, 1), tables.e3(jj, 2), tables.e3(jj, 3)}};
        const layouts::plot_record g23{thetar, {tables.g23(jj, 1), tables.g23(jj, 2), tables.g23(jj, 3)}};
        const layouts::nu32_record nu32{thetar,
                                        {tables.posnu32(jj, 1), tables.posnu32(jj, 2), tables.posnu32(jj, 3)},
                                        {tables.negnu32(jj, 1), tables.negnu32(jj, 2), tables.negnu32(jj, 3)}};
        layouts::write_record(r, units::e3_dat, e3);
        layouts::write_record(r, units::g23_dat, g23);
        layouts::write_record(r, units::nu32_dat, nu32);
    }
}

}  // namespace polar
