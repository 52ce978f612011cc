#include "polar/lamina.hpp"

#include <cmath>
#include <cstdio>
#include <string>

#include "polar/column_matrix.hpp"
#include "polar/inversion.hpp"
#include "polar/units.hpp"

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

namespace {

// The upper triangle of a 6 by 6 matrix, one row per record, each value of
// column j in columns 12j-9 to 12j+1.
void write_triangle(records::run& r, const matrix6& m) {
    static const records::record_format row1("(1X,6(1X,E11.4))");
    static const records::record_format row2("(13X,5(1X,E11.4))");
    static const records::record_format row3("(25X,4(1X,E11.4))");
    static const records::record_format row4("(37X,3(1X,E11.4))");
    static const records::record_format row56("(13X,'   SYMMETRIC',24X,2(1X,E11.4),/,62X,E11.4)");
    const records::record_format* rows[4] = {&row1, &row2, &row3, &row4};
    for (int i = 1; i <= 4; ++i) {
        r.begin_write(units::polar_out, *rows[i - 1]);
        for (int j = i; j <= 6; ++j) r.write_real(el(m, i, j));
        r.end_write();
    }
    r.write(units::polar_out, row56, el(m, 5, 5), el(m, 5, 6), el(m, 6, 6));
}

}  // namespace

void prop(records::run& r, const material& mat, float vf, matrix6& s, matrix6& c) {
    static const records::record_format page_format("('1')");
    static const records::record_format matrix_format(
        "(3X,25A1,20A1,/,'   MATRIX YOUNGS MODULUS,  EM=',E11.4,/,'   MATRIX SHEAR MODULUS,   GM=',E11.4,/,"
        "'   MATRIX POISSON RATIO,  NUM=',E11.4,/)");
    static const records::record_format fibre_format(
        "(3X,25A1,20A1,/,'   FIBER LONGITUDINAL YOUNGS MODULUS, EFL=',E11.4,/,"
        "'   FIBER TRANSVERSE YOUNGS MODULUS,   EFT=',E11.4,/,'   FIBER SHEAR MODULUS L-T PLANE,    GFLT=',E11.4,/,"
        "'   FIBER SHEAR MODULUS  T  PLANE,    GFTT=',E11.4,/,'   FIBER PLANE STRAIN BULK MODULUS,  KFTT=',E11.4)");
    static const records::record_format material_format(
        "(/,2X,'MATERIAL: ',50A1,/,' FIBER VOL. FRACTION=',F5.2,/,/)");
    static const records::record_format properties_format(
        "(3X,'ENGINEERING ELASTIC PROPERTIES',/,'  YOUNGS MODULI',20A1,/,"
        "'    PARALLEL TO FIBER LONGITUDINAL AXIS,  EL=',E10.3,/,"
        "'    TRANSVERSE TO FIBER,                  ET=',E10.3,/,'  SHEAR MODULI',20A1,/,"
        "'    LONGITUDINAL-TRANSVERSE PLANE,       GLT=',E10.3,/,"
        "'        TRANSVERSE       PLANE,          GTT=',E10.3,/,'  POISSONS RATIOS',/,"
        "'      LONGITUDINAL-TRANSVERSE AXIS,     NULT=',E10.3,/,"
        "'         TRANSVERSE PLANE,              NUTT=',E10.3,/)");
    static const records::record_format stiffness_title("(18X,'STIFFNESSES',20A1,/)");
    static const records::record_format stiffness_heading(
        "(15X,'C11  C12  C13  C14  C15  C16',/,15X,'     C22  C23  C24  C25  C26',/,"
        "15X,'          C33  C34  C35  C36',/,15X,'               C44  C45  C46',/,"
        "15X,' SYMMETRIC          C55  C56',/,15X,'                         C66',/)");
    static const records::record_format compliance_heading(
        "(/,/,25X,' COMPLIANCES',/,15X,'S11  S12  S13  S14  S15  S16',/,15X,'     S22  S23  S24  S25  S26',/,"
        "15X,'          S33  S34  S35  S36',/,15X,'               S44  S45  S46',/,"
        "15X,' SYMMETRIC          S55  S56',/,15X,'                         S66')");

    const head1& h = mat.h1;
    const mf& m = mat.m;
    // A text is written character by character, one A1 item each.
    using text = std::span<const char>;

    // The constants and the stiffness first; the inversion stays between the
    // stiffness and the compliance in the report, as a row of zeros pauses
    // the run there with the stiffness already written.
    const constituent_constants k = constituents(m);
    const composite_constants p = composite(m, k, vf);
    stiffness(p, c);

    r.write(units::polar_out, page_format);

    r.write(units::polar_out, matrix_format, text(h.mhead), text(h.units), m.em, k.gm, m.num);
    r.write(units::polar_out, fibre_format, text(h.fhead).first(25), text(h.units), m.efl, m.eft, m.gflt, m.gftt,
            m.kftt);
    r.write(units::polar_out, material_format, text(h.title), vf);
    r.write(units::polar_out, properties_format, text(h.units), p.e11, p.e22, text(h.units), p.g12, p.g23, p.nu12,
            p.nu23);
    r.write(units::polar_out, stiffness_title, text(h.units));
    r.write(units::polar_out, stiffness_heading);
    write_triangle(r, c);

    inv(c, 6, s, [&r, vf](std::string_view message, std::int32_t row) {
        // As long as the volume fraction needs: a float may have 39 digits
        // before the point.
        const char* form = "stiffness matrix C, volume fraction %.2f, row %d: every element is zero or not a number";
        int length = std::snprintf(nullptr, 0, form, static_cast<double>(vf), static_cast<int>(row));
        std::string context(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
        std::snprintf(context.data(), context.size() + 1, form, static_cast<double>(vf), static_cast<int>(row));
        r.pause_run(message, context);
    });

    r.write(units::polar_out, compliance_heading);
    write_triangle(r, s);
    r.write(units::polar_out, page_format);
}

}  // namespace polar
