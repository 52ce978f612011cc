#include "polar/lamina.hpp"

#include <cmath>

#include "polar/column_matrix.hpp"
#include "polar/inversion.hpp"

namespace polar {

float& el(matrix6& m, int i, int j) { return column_matrix<float>(m, 6)(i, j); }
float el(const matrix6& m, int i, int j) { return column_matrix<const float>(m, 6)(i, j); }

constituent_constants constituents(const mf& m) {
    constituent_constants k;
    k.gm = m.em / ((m.num + 1.0f) * 2.0f);
    k.lm = ((k.gm * 2.0f) * m.num) / (1.0f - m.num * 2.0f);
    k.km = k.lm + k.gm;
    k.nuftt = m.eft / (m.gftt * 2.0f) + (-1.0f);
    k.cal = (m.efl * ((m.kftt * 2.0f - m.eft) - (m.kftt * 2.0f) * k.nuftt)) / ((m.kftt * 4.0f) * m.eft);
    k.nuflt = std::sqrt(k.cal);
    return k;
}

composite_constants composite(const mf& m, const constituent_constants& k, float vf) {
    const float gm = k.gm;
    const float km = k.km;
    const float nuflt = k.nuflt;
    composite_constants p;
    const float vm = 1.0f - vf;
    p.vm = vm;

    // Denominator shared by the longitudinal modulus and Poisson ratio.
    const float dnu = (nuflt - m.num) * (nuflt - m.num);
    p.e11 = (m.efl * vf + m.em * vm) +
            (((vf * 4.0f) * vm) * dnu) / ((1.0f / gm + vf / km) + vm / m.kftt);

    p.g23 = gm + ((((gm * 2.0f) * vf) * (km + gm)) * (m.gftt - gm)) /
                     (((gm * 2.0f) * (km + gm)) + ((vm * (km + gm * 2.0f)) * (m.gftt - gm)));

    p.g12 = gm + (((vf * 2.0f) * gm) * (m.gflt - gm)) / (((vf + 1.0f) * gm) + (vm * m.gflt));
    p.g13 = p.g12;

    p.nu12 = ((vm * m.num) + (vf * nuflt)) +
             (((vf * vm) * (nuflt - m.num)) * (1.0f / km - 1.0f / m.kftt)) / ((1.0f / gm + vf / km) + vm / m.kftt);
    p.nu13 = p.nu12;

    p.k23 = km + ((vf * (km + gm)) * (m.kftt - km)) / ((m.kftt + gm) - vf * (m.kftt - km));
    p.psi = ((p.k23 * 4.0f) * (p.nu12 * p.nu12)) / p.e11 + 1.0f;
    p.nu23 = (p.k23 - p.psi * p.g23) / (p.k23 + p.psi * p.g23);
    p.e22 = ((p.k23 * 4.0f) * p.g23) / (p.k23 + p.psi * p.g23);
    p.e33 = p.e22;
    p.nu21 = (p.e22 * p.nu12) / p.e11;
    p.nu31 = (p.e33 * p.nu13) / p.e11;
    p.nu32 = (p.e33 * p.nu23) / p.e22;
    return p;
}

void stiffness(const composite_constants& p, matrix6& c) {
    c.fill(0.0f);
    const float del =
        (((1.0f - p.nu12 * p.nu21) - p.nu23 * p.nu32) - p.nu31 * p.nu13) - ((p.nu21 * 2.0f) * p.nu32) * p.nu13;
    el(c, 3, 3) = ((1.0f - p.nu23 * p.nu32) * p.e11) / del;
    el(c, 1, 1) = ((1.0f - p.nu13 * p.nu31) * p.e22) / del;
    el(c, 2, 2) = ((1.0f - p.nu12 * p.nu21) * p.e33) / del;
    el(c, 1, 3) = ((p.nu21 + p.nu31 * p.nu23) * p.e11) / del;
    el(c, 3, 1) = el(c, 1, 3);
    el(c, 2, 3) = ((p.nu31 + p.nu21 * p.nu32) * p.e11) / del;
    el(c, 3, 2) = el(c, 2, 3);
    el(c, 1, 2) = ((p.nu32 + p.nu12 * p.nu31) * p.e22) / del;
    el(c, 2, 1) = el(c, 1, 2);
    el(c, 4, 4) = p.g13;
    el(c, 5, 5) = p.g12;
    el(c, 6, 6) = p.g23;
}

lamina lamina_properties(const mf& m, float vf) {
    lamina l;
    l.vf = vf;
    l.constituents = constituents(m);
    l.composite = composite(m, l.constituents, vf);
    stiffness(l.composite, l.c);
    invert(l.c, 6, l.s, [&l](std::string_view message, std::int32_t row) {
        l.zero_rows.push_back({std::string(message), row});
    });
    return l;
}

}  // namespace polar
