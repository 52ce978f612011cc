#include "polarplot/plot_table_reader.hpp"

#include <filesystem>
#include <string>

#include "layouts/polar_tables.hpp"
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
    r.open_or_stop(units::polar_dat, "polar.dat");
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
    const std::string vf_file(layouts::fractions_file);
    const std::string e3_file(layouts::e3_file);
    const std::string g23_file(layouts::g23_file);
    const std::string nu32_file(layouts::nu32_file);
    r.open_or_stop(units::vf_dat, vf_file);
    r.open_or_stop(units::e3_dat, e3_file);
    r.open_or_stop(units::g23_dat, g23_file);
    r.open_or_stop(units::nu32_dat, nu32_file);
    // Tables read back whole: a record that ends before its last field would
    // read as zeros there and draw them as values.
    for (records::input_unit unit : {units::vf_dat, units::e3_dat, units::g23_dat, units::nu32_dat}) r.read_as_table(unit);

    polar_tables t;
    t.unit = moduli_unit(r);
    layouts::fractions_record vf;
    layouts::read_table_record(r, units::vf_dat, vf);
    t.vf = vf.vfk;
    // The angle column of each file is read; e3.DAT's is the one drawn
    // (the three files are written in one loop over the same angles).
    for (std::size_t j = 0; j < angles; ++j) {
        layouts::plot_record e3;
        layouts::plot_record g23;
        layouts::nu32_record nu32;
        layouts::read_table_record(r, units::e3_dat, e3, "E3 of the third volume fraction");
        layouts::read_table_record(r, units::g23_dat, g23, "G23 of the third volume fraction");
        layouts::read_table_record(r, units::nu32_dat, nu32);
        t.theta[j] = e3.thetar;
        for (std::size_t k = 0; k < fractions; ++k) {
            t.e3[k][j] = e3.values[k];
            t.g23[k][j] = g23.values[k];
            t.posnu32[k][j] = nu32.posnu32[k];
            t.negnu32[k][j] = nu32.negnu32[k];
        }
    }
    return t;
}

}  // namespace polarplot
