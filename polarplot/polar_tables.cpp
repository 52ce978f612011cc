#include "polarplot/polar_tables.hpp"

#include <filesystem>
#include <string>

#include "plots/table_scan.hpp"
#include "polarplot/units.hpp"

namespace polarplot {

namespace {

// The unit text of the moduli, columns 26-45 of the second record of
// polar.dat, without its blanks at either end and the parentheses it is
// often written in; empty when polar.dat is not there or holds none.
std::string moduli_unit(records::run& r) {
    static const records::record_format unit_format("(/,25X,20A1)");
    std::error_code error;
    if (!std::filesystem::is_regular_file("polar.dat", error)) return {};
    r.open_or_stop(units::polar_dat, "polar.dat", records::file_status::old);
    std::array<char, 20> text{};
    r.read(units::polar_dat, unit_format, std::span<char>(text));
    std::string unit(text.begin(), text.end());
    std::size_t first = unit.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    unit = unit.substr(first, unit.find_last_not_of(' ') - first + 1);
    if (unit.size() > 2 && unit.front() == '(' && unit.back() == ')') unit = unit.substr(1, unit.size() - 2);
    return unit;
}

}  // namespace

polar_tables read_polar_tables(records::run& r) {
    static const records::record_format vf_format("(3F5.2)");
    static const records::record_format plot_format("(1X,E11.4,3(1X,E11.4))");
    static const records::record_format nu_format("(1X,E11.4,3(1X,E11.4),3(1X,E11.4))");

    r.open_or_stop(units::vf_dat, "vf.DAT", records::file_status::old);
    r.open_or_stop(units::e3_dat, "e3.DAT", records::file_status::old);
    r.open_or_stop(units::g23_dat, "g23.DAT", records::file_status::old);
    r.open_or_stop(units::nu32_dat, "nu32.DAT", records::file_status::old);
    // A record that ends before its last field would read as zeros there
    // and draw them as values.
    plots::require_field(r, "vf.DAT", 11, 15, 1, 1, "the third volume fraction");
    plots::require_field(r, "e3.DAT", 38, 48, 1, angles, "E3 of the third volume fraction");
    plots::require_field(r, "g23.DAT", 38, 48, 1, angles, "G23 of the third volume fraction");
    plots::require_field(r, "nu32.DAT", 74, 84, 1, angles, "the negative NU32 of the third volume fraction");

    polar_tables t;
    t.unit = moduli_unit(r);
    r.read(units::vf_dat, vf_format, t.vf[0], t.vf[1], t.vf[2]);
    // The angle column of each file is read; e3.DAT's is the one drawn
    // (the three files are written in one loop over the same angles).
    float angle = 0.0f;
    for (std::size_t j = 0; j < angles; ++j) {
        r.read(units::e3_dat, plot_format, t.theta[j], t.e3[0][j], t.e3[1][j], t.e3[2][j]);
        r.read(units::g23_dat, plot_format, angle, t.g23[0][j], t.g23[1][j], t.g23[2][j]);
        r.read(units::nu32_dat, nu_format, angle, t.posnu32[0][j], t.posnu32[1][j], t.posnu32[2][j], t.negnu32[0][j],
               t.negnu32[1][j], t.negnu32[2][j]);
    }
    return t;
}

}  // namespace polarplot
