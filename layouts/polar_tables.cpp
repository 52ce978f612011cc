#include "layouts/polar_tables.hpp"

namespace layouts {

void write_fractions(records::run& r, int unit, const fractions_record& f) {
    r.write(unit, fractions_format, f.vfk[0], f.vfk[1], f.vfk[2]);
}

void read_fractions(records::run& r, int unit, fractions_record& f) {
    r.read(unit, fractions_format, f.vfk[0], f.vfk[1], f.vfk[2]);
}

void write_plot_record(records::run& r, int unit, const plot_record& p) {
    r.write(unit, plot_format, p.thetar, p.values[0], p.values[1], p.values[2]);
}

void read_plot_record(records::run& r, int unit, plot_record& p) {
    r.read(unit, plot_format, p.thetar, p.values[0], p.values[1], p.values[2]);
}

void write_nu32_record(records::run& r, int unit, const nu32_record& p) {
    r.write(unit, nu32_format, p.thetar, p.posnu32[0], p.posnu32[1], p.posnu32[2], p.negnu32[0], p.negnu32[1],
            p.negnu32[2]);
}

void read_nu32_record(records::run& r, int unit, nu32_record& p) {
    r.read(unit, nu32_format, p.thetar, p.posnu32[0], p.posnu32[1], p.posnu32[2], p.negnu32[0], p.negnu32[1],
           p.negnu32[2]);
}

}  // namespace layouts
