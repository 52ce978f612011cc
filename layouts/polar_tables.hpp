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
    static constexpr std::array<std::string_view, 3> field_names{"VF1", "VF2", "VF3"};
    static auto fields(auto& f) { return std::tie(f.vfk[0], f.vfk[1], f.vfk[2]); }
};

// A record of "e3.DAT" or "g23.DAT": E3 or G23 of each fraction (its last
// field is named by the file's reader, its fields by the file: e3_field_names,
// g23_field_names).
struct plot_record {
    static inline const records::record_format format{"(1X,E11.4,3(1X,E11.4))"};
    float thetar = 0.0f;
    std::array<float, plot_fractions> values{};
    static auto fields(auto& p) { return std::tie(p.thetar, p.values[0], p.values[1], p.values[2]); }
};

// The field names of a plot record in "e3.DAT" and in "g23.DAT": the angle in
// radians, then the value of each volume fraction.
inline constexpr std::array<std::string_view, 4> e3_field_names{"THETA_RAD", "E3_VF1", "E3_VF2", "E3_VF3"};
inline constexpr std::array<std::string_view, 4> g23_field_names{"THETA_RAD", "G23_VF1", "G23_VF2", "G23_VF3"};

// A record of "nu32.DAT": NU32 of each fraction where it is greater than 0
// (else 0.0), then where it is less than 0 (else 0.0).
struct nu32_record {
    static inline const records::record_format format{"(1X,E11.4,3(1X,E11.4),3(1X,E11.4))"};
    float thetar = 0.0f;
    std::array<float, plot_fractions> posnu32{}, negnu32{};
    static constexpr std::string_view last_field_name = "the negative NU32 of the third volume fraction";
    static constexpr std::array<std::string_view, 7> field_names{
        "THETA_RAD", "NU32_POS_VF1", "NU32_POS_VF2", "NU32_POS_VF3", "NU32_NEG_VF1", "NU32_NEG_VF2", "NU32_NEG_VF3"};
    static auto fields(auto& p) {
        return std::tie(p.thetar, p.posnu32[0], p.posnu32[1], p.posnu32[2], p.negnu32[0], p.negnu32[1], p.negnu32[2]);
    }
};

}  // namespace layouts
