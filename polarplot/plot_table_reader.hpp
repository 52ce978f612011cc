// The polar plot tables of the composite: the three volume fractions of
// "vf.DAT" and the 361 rows of "e3.DAT", "g23.DAT" and "nu32.DAT".
#pragma once

#include <array>
#include <string>

#include "layouts/polar_tables.hpp"
#include "records/run.hpp"

namespace polarplot {

inline constexpr int angles = layouts::plot_rows;
inline constexpr int fractions = layouts::plot_fractions;

using column = std::array<float, angles>;

struct polar_tables {
    std::array<float, fractions> vf{};
    column theta{};  // radians, from e3.DAT
    std::array<column, fractions> e3{};
    std::array<column, fractions> g23{};
    std::array<column, fractions> posnu32{};  // NU32 where positive, else 0
    std::array<column, fractions> negnu32{};  // NU32 where negative, else 0
    std::string unit;  // the unit text of the moduli in polar.dat; empty when unknown
};

// Opens and reads the four files, and the unit of the moduli from
// polar.dat when it is there; a missing file, a malformed field, a missing
// record, a record that ends before its last field or a last line without
// its line feed ends the run. Blank lines in the four files are no records.
polar_tables read_polar_tables(records::run& r);

}  // namespace polarplot
