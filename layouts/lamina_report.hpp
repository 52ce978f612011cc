// The lamina's engineering constants where polar writes them in its report
// "polar.out", read back by meshexport for the plies of the solver's job.
// The report has a fixed count of records: two heading records, then the
// property report and angle table of each of the three volume fractions,
// 423 records each. Within a fraction's records, the fraction itself, the
// modulus unit and the six constants stand at fixed places, each after a
// label that polar writes the same every time; a reader checks the label, so
// a file that is not polar's report is refused rather than misread.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

#include "layouts/record.hpp"

namespace layouts {

inline constexpr std::string_view polar_report_file = "polar.out";
inline constexpr long report_heading_records = 2;
inline constexpr long report_records_per_fraction = 423;

// The record of the report that is the n-th of fraction k's records (both
// counted from 1).
inline constexpr long report_record(int fraction, long n) {
    return report_heading_records + (fraction - 1) * report_records_per_fraction + n;
}

// " FIBER VOL. FRACTION= 0.40": the fraction, F5.2 after a 21-character label.
inline constexpr long fraction_line = 15;
inline constexpr std::string_view fraction_label = " FIBER VOL. FRACTION=";
// "  YOUNGS MODULI(GPA)": the unit text of the moduli, 20 characters after
// a 15-character label, as polar.dat gave it.
inline constexpr long unit_line = 19;
inline constexpr std::string_view unit_label = "  YOUNGS MODULI";
inline constexpr std::size_t unit_width = 20;

// An engineering constant: E10.3 after a 45-character label.
struct constant_line {
    std::string_view name;
    long line;
    std::string_view label;
};
inline constexpr std::size_t constant_label_width = 45;
inline constexpr std::array<constant_line, 6> engineering_constants{{
    {"EL", 20, "    PARALLEL TO FIBER LONGITUDINAL AXIS,  EL="},
    {"ET", 21, "    TRANSVERSE TO FIBER,                  ET="},
    {"GLT", 23, "    LONGITUDINAL-TRANSVERSE PLANE,       GLT="},
    {"GTT", 24, "        TRANSVERSE       PLANE,          GTT="},
    {"NULT", 26, "      LONGITUDINAL-TRANSVERSE AXIS,     NULT="},
    {"NUTT", 27, "         TRANSVERSE PLANE,              NUTT="},
}};
static_assert(std::ranges::all_of(engineering_constants,
                                  [](const constant_line& c) { return c.label.size() == constant_label_width; }));
static_assert(fraction_label.size() == 21 && unit_label.size() == 15);

}  // namespace layouts
