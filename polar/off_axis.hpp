// Off-axis properties of the composite for every whole degree from 0 to 360,
// the angle table of each pass and the three polar plot files.
#pragma once

#include <array>
#include <cstdint>

#include "layouts/polar_tables.hpp"
#include "polar/lamina.hpp"
#include "records/run.hpp"

namespace polar {

// Pi in single precision, the nearest float (what acos(-1.0f) returns).
inline constexpr float pi = 3.14159265358979323846f;

inline constexpr int angle_rows = layouts::plot_rows;
inline constexpr int passes = layouts::plot_fractions;

// 361 by 3 table: row j is THETA = j - 1 degrees, column k the pass.
class angle_table {
public:
    float& operator()(int j, int k);
    float operator()(int j, int k) const;

private:
    std::array<float, angle_rows * passes> cells_{};
};

struct angle_tables {
    angle_table e3;
    angle_table g23;
    angle_table nu32;
    angle_table posnu32;  // NU32 where it is greater than 0, else 0.0
    angle_table negnu32;  // NU32 where it is less than 0, else 0.0
};

// The seven properties along the direction THETA degrees off the fibre axis,
// tilt ALPHA = 0.
struct off_axis_values {
    float theta = 0.0f;
    // In the order of the angle table's columns.
    float e3 = 0.0f, t3 = 0.0f, g23 = 0.0f, g13 = 0.0f, k3 = 0.0f, nu32 = 0.0f, nu13 = 0.0f;
};

// THETA in degrees for angle counter j: the counter's real value plus -1.0.
float theta_of(std::int32_t j);

// The properties at every angle counter, 1 to 361, from the compliance s.
std::array<off_axis_values, angle_rows> off_axis_sweep(const matrix6& s);

// Computes the sweep of the compliance s, then writes it as the angle table
// of pass k (1 to 3) to unit 6 and fills column k of the tables.
void sweep(records::run& r, const matrix6& s, float vf, int k, angle_tables& tables);

// Writes "e3.DAT", "g23.DAT" and "nu32.DAT" (units 7, 8, 9), 361 records each.
void write_plot_files(records::run& r, const angle_tables& tables);

}  // namespace polar
