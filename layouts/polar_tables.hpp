// The tables polar writes beside its report and polarplot draws: "vf.DAT",
// the three volume fractions in one record, and the polar plot tables
// "e3.DAT", "g23.DAT" and "nu32.DAT", one record per whole degree from 0 to
// 360, each the angle in radians and the values of the three fractions.
#pragma once

#include <array>
#include <string_view>

#include "records/run.hpp"

namespace layouts {

// Volume fractions, passes of polar, columns of a plot table.
inline constexpr int plot_fractions = 3;
// Records of each plot table.
inline constexpr int plot_rows = 361;

inline constexpr std::string_view fractions_file = "vf.DAT";
inline const records::record_format fractions_format("(3F5.2)");

struct fractions_record {
    std::array<float, plot_fractions> vfk{};
};

void write_fractions(records::run& r, int unit, const fractions_record& f);
void read_fractions(records::run& r, int unit, fractions_record& f);

// "e3.DAT" and "g23.DAT": the angle and E3 or G23 of each fraction.
inline constexpr std::string_view e3_file = "e3.DAT";
inline constexpr std::string_view g23_file = "g23.DAT";
inline const records::record_format plot_format("(1X,E11.4,3(1X,E11.4))");

struct plot_record {
    float thetar = 0.0f;
    std::array<float, plot_fractions> values{};
};

void write_plot_record(records::run& r, int unit, const plot_record& p);
void read_plot_record(records::run& r, int unit, plot_record& p);

// "nu32.DAT": the angle, NU32 of each fraction where it is greater than 0
// (else 0.0), then where it is less than 0 (else 0.0).
inline constexpr std::string_view nu32_file = "nu32.DAT";
inline const records::record_format nu32_format("(1X,E11.4,3(1X,E11.4),3(1X,E11.4))");

struct nu32_record {
    float thetar = 0.0f;
    std::array<float, plot_fractions> posnu32{};
    std::array<float, plot_fractions> negnu32{};
};

void write_nu32_record(records::run& r, int unit, const nu32_record& p);
void read_nu32_record(records::run& r, int unit, nu32_record& p);

}  // namespace layouts
