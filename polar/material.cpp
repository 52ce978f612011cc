#include "polar/material.hpp"

#include "polar/units.hpp"

namespace polar {

void read_material(records::run& r, material& mat) {
    static const records::record_format title_format("(50A1)");
    static const records::record_format matrix_format("(25A1,20A1,/,30A1,E12.5,/,30A1,E12.5)");
    static const records::record_format fibre_format("(50A1,/,4(40A1,E12.5,/),40A1,E12.5)");

    head1& h = mat.h1;
    mf& m = mat.m;
    auto text = [&r](auto& cells) { r.read_item(std::span<char>(cells)); };

    r.begin_read(units::polar_dat, title_format);
    text(h.title);
    r.end_read();

    r.begin_read(units::polar_dat, matrix_format);
    text(h.mhead);
    text(h.units);
    text(h.emlab);
    r.read_real(m.em);
    text(h.numlab);
    r.read_real(m.num);
    r.end_read();

    // The fibre heading, then each label followed by its value.
    float* values[5] = {&m.efl, &m.eft, &m.gflt, &m.gftt, &m.kftt};
    r.begin_read(units::polar_dat, fibre_format);
    text(h.fhead);
    for (std::size_t k = 0; k < 5; ++k) {
        text(mat.h2.flab[k]);
        r.read_real(*values[k]);
    }
    r.end_read();
}

}  // namespace polar
