// The tables polar writes beside its report and polarplot draws: "vf.DAT",
// the three volume fractions in one record, and the polar plot tables
// "e3.DAT", "g23.DAT" and "nu32.DAT", one record per whole degree from 0 to
// 360, each the angle in radians and the values of the three fractions.
#pragma once

#include "layouts/record.hpp"

namespace layouts {

// Volume fractions, passes of polar, columns of a plot table.
inline constexpr int plot_fractions = 3;
// Records of each plot table.
inline constexpr int plot_rows = 361;

inline constexpr std::string_view fractions_file = "vf.DAT";
inline constexpr std::string_view e3_file = "e3.DAT";
inline constexpr std::string_view g23_file = "g23.DAT";
inline constexpr std::string_view nu32_file = "nu32.DAT";

struct fractions_record {
    static inline const records::record_format format{"(3F5.2)"};
    std::array<float, plot_fractions> vfk{};
    static constexpr std::string_view last_field_name = "the third volume fraction";
    static auto fields(auto& f) { return std::tie(f.vfk[0], f.vfk[1], f.vfk[2]); }
};

// A record of "e3.DAT" or "g23.DAT": E3 or G23 of each fraction (its last
// field is named by the file's reader).
struct plot_record {
    static inline const records::record_format format{"(1X,E11.4,3(1X,E11.4))"};
    float thetar = 0.0f;
    std::array<float, plot_fractions> values{};
    static auto fields(auto& p) { return std::tie(p.thetar, p.values[0], p.values[1], p.values[2]); }
};

// A record of "nu32.DAT": NU32 of each fraction where it is greater than 0
// (else 0.0), then where it is less than 0 (else 0.0).
struct nu32_record {
    static inline const records::record_format format{"(1X,E11.4,3(1X,E11.4),3(1X,E11.4))"};
    float thetar = 0.0f;
    std::array<float, plot_fractions> posnu32{}, negnu32{};
    static constexpr std::string_view last_field_name = "the negative NU32 of the third volume fraction";
    static auto fields(auto& p) {
        return std::tie(p.thetar, p.posnu32[0], p.posnu32[1], p.posnu32[2], p.negnu32[0], p.negnu32[1], p.negnu32[2]);
    }
};

}  // namespace layouts
