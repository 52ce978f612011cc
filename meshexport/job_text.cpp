#include "meshexport/job_text.hpp"

#include <charconv>
#include <cmath>
#include <numbers>

#include "meshexport/layer_angles.hpp"

namespace meshexport {
namespace {

// The shortest text that reads back as the same float: 94.1, 0.29, 210000.
std::string number(float x) {
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text, x);
    return error == std::errc{} ? std::string(text, end) : std::string("0");
}

// A direction cosine to nine decimals, trailing zeros dropped; exactly 0, 1
// or -1 where the angle is a multiple of 90 degrees.
std::string cosine(double x) {
    char text[32];
    double rounded = std::round(x * 1e9) / 1e9;
    if (rounded == 0.0) rounded = 0.0;  // no -0
    auto [end, error] = std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, 9);
    std::string s = error == std::errc{} ? std::string(text, end) : std::string("0");
    while (s.back() == '0') s.pop_back();
    return s;  // ends in the point at least: "0.", "1.", "0.5"
}

const std::string_view opening =
    "** The job: what CalculiX computes on the model of mesh.inp. Run it with\n"
    "** \"ccx job\"; the stresses go to job.dat, which \"stressimport job.dat\"\n"
    "** brings back as wstresses.out. meshexport writes this file only when there\n"
    "** is none and never touches it again: edit every card freely. mesh.inp\n"
    "** holds the model alone and is written anew by every meshexport.\n"
    "** As written, the job pulls the model upwards (the step below).\n"
    "**\n"
    "** The model: nodes (node set NALL), triangles (element set EALL), element\n"
    "** sets TYPE<k> by type code and ANGLE<a> by layer angle, node sets H0V12,\n"
    "** H0 and V12 of the flags, and BOTTOM, the nodes at the model's smallest v.\n"
    "** Solver x is h, y is v, z is normal to the model's plane. The elements are\n"
    "** plane strain (CPE3): the model is the cross-section of a laminate that is\n"
    "** long along z. Plane stress elements would give each element a stress of\n"
    "** its own once a fibre leaves the model's plane.\n"
    "*INCLUDE, INPUT=mesh.inp\n";

const std::string_view isotropic =
    "** The material: isotropic, Young's modulus 210000., Poisson's ratio 0.3;\n"
    "** pulled upwards, every element takes the same stress along v,\n"
    "** E x strain / (1 - 0.3^2) in plane strain, and none else.\n"
    "*MATERIAL, NAME=ISO\n"
    "*ELASTIC\n"
    "210000., 0.3\n"
    "** The section: unit thickness over every element.\n"
    "*SOLID SECTION, ELSET=EALL, MATERIAL=ISO\n"
    "1.\n";

const std::string_view step =
    "** One static step.\n"
    "*STEP\n"
    "*STATIC\n"
    "** Supports and load: the nodes of H0 held along h (dof 1), those of BOTTOM\n"
    "** held along v (dof 2), and those of V12 moved 0.01 along v.\n"
    "*BOUNDARY\n"
    "H0, 1, 1\n"
    "BOTTOM, 2, 2\n"
    "V12, 2, 2, 0.01\n"
    "** Output: the stresses of every element, printed to job.dat in the model's\n"
    "** axes (GLOBAL=YES; without it CalculiX prints each ply's stresses in the\n"
    "** ply's own axes).\n"
    "*EL PRINT, ELSET=EALL, GLOBAL=YES\n"
    "S\n"
    "*END STEP\n";

std::string plies_text(const std::vector<std::int32_t>& angles, const lamina& l) {
    const auto& c = l.constants;  // EL, ET, GLT, GTT, NULT, NUTT
    std::string fraction(8, ' ');
    fraction.resize(static_cast<std::size_t>(
        std::to_chars(fraction.data(), fraction.data() + fraction.size(), l.fraction, std::chars_format::fixed, 2).ptr -
        fraction.data()));
    static const char* const ordinal[] = {"first", "second", "third"};
    std::string t =
        "** The plies: polar's lamina at fibre volume fraction " + fraction + " (the " +
        ordinal[(l.fraction_number - 1) % 3] + " of\n"
        "** polar.out's three), its engineering constants as polar.out gives them,\n"
        "** moduli in " + (l.unit.empty() ? std::string("polar.dat's unit") : l.unit) +
        "; the stresses come back in that unit. Direction 1 is the\n"
        "** fibre: E1 = EL, E2 = E3 = ET, nu12 = nu13 = NULT, nu23 = NUTT,\n"
        "** G12 = G13 = GLT, G23 = GTT.\n"
        "*MATERIAL, NAME=LAMINA\n"
        "*ELASTIC, TYPE=ENGINEERING CONSTANTS\n" +
        number(c[0]) + ", " + number(c[1]) + ", " + number(c[1]) + ", " + number(c[4]) + ", " + number(c[4]) + ", " +
        number(c[5]) + ", " + number(c[2]) + ", " + number(c[2]) + "\n" + number(c[3]) + ", 0.\n" +
        "** Each layer angle's ply: its local x is the fibre, turned by the angle\n"
        "** from z toward x (h) about y (v): 0 puts the fibre normal to the model's\n"
        "** plane, 90 along h. The orientation's first point is on the fibre, its\n"
        "** second on local y, which is v. Unit thickness.\n";
    for (std::int32_t a : angles) {
        std::string name = angle_set_name(a);
        std::int32_t turns = ((a % 36000) + 36000) % 36000;
        double s, co;
        if (turns % 9000 == 0) {
            static const double sines[] = {0.0, 1.0, 0.0, -1.0}, cosines[] = {1.0, 0.0, -1.0, 0.0};
            s = sines[turns / 9000];
            co = cosines[turns / 9000];
        } else {
            double radians = turns / 100.0 * std::numbers::pi / 180.0;
            s = std::sin(radians);
            co = std::cos(radians);
        }
        t += "*ORIENTATION, NAME=O" + name + "\n" + cosine(s) + ", 0., " + cosine(co) + ", 0., 1., 0.\n";
        t += "*SOLID SECTION, ELSET=" + name + ", MATERIAL=LAMINA, ORIENTATION=O" + name + "\n1.\n";
    }
    return t;
}

}  // namespace

std::string job_text(const std::vector<std::int32_t>& angles, const lamina* plies) {
    std::string t(opening);
    if (plies != nullptr) t += plies_text(angles, *plies);
    else t += isotropic;
    t += step;
    return t;
}

}  // namespace meshexport
