// The property report of one volume fraction in "polar.out": the
// constituents, the engineering constants and the stiffness and compliance
// matrices, 59 records.
#include "polar/property_report.hpp"

#include <cstdio>
#include <string>

#include "polar/units.hpp"

namespace polar {

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

// The pause for a zero row of the stiffness of volume fraction vf, naming
// the matrix, the volume fraction and the row.
void pause_for(records::run& r, float vf, const zero_row& zero) {
    // As long as the volume fraction needs: a float may have 39 digits
    // before the point.
    const char* form = "stiffness matrix C, volume fraction %.2f, row %d: every element is zero or not a number";
    int length = std::snprintf(nullptr, 0, form, static_cast<double>(vf), static_cast<int>(zero.row));
    std::string context(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(context.data(), context.size() + 1, form, static_cast<double>(vf), static_cast<int>(zero.row));
    r.pause_run(zero.message, context);
}

}  // namespace

void write_property_report(records::run& r, const material& mat, const lamina& l) {
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
    const constituent_constants& k = l.constituents;
    const composite_constants& p = l.composite;
    const float vf = l.vf;
    // A text is written character by character, one A1 item each.
    using text = std::span<const char>;

    r.write(units::polar_out, page_format);

    r.write(units::polar_out, matrix_format, text(h.mhead), text(h.units), m.em, k.gm, m.num);
    r.write(units::polar_out, fibre_format, text(h.fhead).first(25), text(h.units), m.efl, m.eft, m.gflt, m.gftt,
            m.kftt);
    r.write(units::polar_out, material_format, text(h.title), vf);
    r.write(units::polar_out, properties_format, text(h.units), p.e11, p.e22, text(h.units), p.g12, p.g23, p.nu12,
            p.nu23);
    r.write(units::polar_out, stiffness_title, text(h.units));
    r.write(units::polar_out, stiffness_heading);
    write_triangle(r, l.c);

    // The inversion stands between the stiffness and the compliance in the
    // report: a zero row pauses the run here, with the stiffness written.
    for (const zero_row& zero : l.zero_rows) pause_for(r, vf, zero);

    r.write(units::polar_out, compliance_heading);
    write_triangle(r, l.s);
    r.write(units::polar_out, page_format);
}

}  // namespace polar
