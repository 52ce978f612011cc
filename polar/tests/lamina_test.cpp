// Lamina constants, the stiffness matrix and the off-axis formulas, called
// directly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "polar/inversion.hpp"
#include "polar/lamina.hpp"
#include "polar/off_axis.hpp"

namespace {

using polar::el;

// The carbon fibre in epoxy of the worked example.
polar::mf carbon_epoxy() {
    polar::mf m;
    m.em = 3.5f;
    m.num = 0.35f;
    m.efl = 230.0f;
    m.eft = 15.0f;
    m.gflt = 24.0f;
    m.gftt = 5.02f;
    m.kftt = 15.0f;
    return m;
}

void expect_relative(float actual, float expected, float tolerance, const char* what) {
    EXPECT_NEAR(actual, expected, tolerance * std::fabs(expected) + 1e-6f) << what;
}

polar::matrix6 compliance_of(const polar::mf& m, float vf) {
    polar::matrix6 c{};
    polar::matrix6 s{};
    polar::stiffness(polar::composite(m, polar::constituents(m), vf), c);
    polar::inv(c, 6, s, [](std::string_view) { FAIL() << "unexpected pause"; });
    return s;
}

TEST(Lamina, MatrixShearModulus) {
    polar::constituent_constants k = polar::constituents(carbon_epoxy());
    EXPECT_NEAR(k.gm, 3.5 / (2.0 * 1.35), 1e-6);
}

TEST(Lamina, NoFibreGivesTheMatrix) {
    polar::mf m = carbon_epoxy();
    polar::constituent_constants k = polar::constituents(m);
    polar::composite_constants p = polar::composite(m, k, 0.0f);
    EXPECT_EQ(p.e11, m.em);
    EXPECT_EQ(p.g12, k.gm);
    EXPECT_EQ(p.g23, k.gm);
    EXPECT_EQ(p.nu12, m.num);
    EXPECT_EQ(p.k23, k.km);
}

TEST(Lamina, AllFibreGivesTheFibre) {
    polar::mf m = carbon_epoxy();
    polar::constituent_constants k = polar::constituents(m);
    polar::composite_constants p = polar::composite(m, k, 1.0f);
    EXPECT_EQ(p.e11, m.efl);
    EXPECT_EQ(p.nu12, k.nuflt);
    expect_relative(p.g12, m.gflt, 1e-6f, "g12");
    expect_relative(p.g23, m.gftt, 1e-6f, "g23");
    expect_relative(p.k23, m.kftt, 1e-6f, "k23");
}

TEST(Lamina, StiffnessIsSymmetricWithEqualTransverseTerms) {
    polar::mf m = carbon_epoxy();
    for (float vf : {0.0f, 0.4f, 0.6f, 1.0f}) {
        polar::matrix6 c{};
        c.fill(9.0f);
        polar::stiffness(polar::composite(m, polar::constituents(m), vf), c);
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= 6; ++j) EXPECT_EQ(el(c, i, j), el(c, j, i));
        EXPECT_EQ(el(c, 1, 1), el(c, 2, 2));
        EXPECT_EQ(el(c, 4, 4), el(c, 5, 5));
        expect_relative(el(c, 1, 3), el(c, 2, 3), 1e-6f, "c13 and c23");
        EXPECT_EQ(el(c, 4, 6), 0.0f);
        EXPECT_EQ(el(c, 1, 4), 0.0f);
    }
}

TEST(OffAxis, ThetaIsTheCounterLessOne) {
    EXPECT_EQ(polar::theta_of(1), 0.0f);
    EXPECT_EQ(polar::theta_of(91), 90.0f);
    EXPECT_EQ(polar::theta_of(361), 360.0f);
}

TEST(OffAxis, PrincipalDirectionsRepeatTheLaminaConstants) {
    const float pi = std::acos(-1.0f);
    polar::matrix6 s = compliance_of(carbon_epoxy(), 0.4f);
    const float s11 = el(s, 1, 1), s12 = el(s, 1, 2), s13 = el(s, 1, 3), s33 = el(s, 3, 3), s55 = el(s, 5, 5);

    polar::off_axis_values along = polar::off_axis(s, pi, 1);
    expect_relative(along.e3, 1.0f / s33, 1e-6f, "E3 at 0");
    expect_relative(along.g13, 1.0f / s55, 1e-6f, "G13 at 0");
    expect_relative(along.nu32, -s13 / s33, 1e-6f, "NU32 at 0");
    expect_relative(along.nu13, -s13 / s11, 1e-6f, "NU13 at 0");

    polar::off_axis_values across = polar::off_axis(s, pi, 91);
    expect_relative(across.e3, 1.0f / s11, 1e-5f, "E3 at 90");
    expect_relative(across.g13, 1.0f / (2.0f * (s11 - s12)), 1e-5f, "G13 at 90");
    expect_relative(across.nu13, -s12 / s11, 1e-5f, "NU13 at 90");
}

TEST(OffAxis, SymmetricAnglesAgreeAndT3IsG23) {
    const float pi = std::acos(-1.0f);
    for (float vf : {0.0f, 0.4f, 0.6f, 1.0f}) {
        polar::matrix6 s = compliance_of(carbon_epoxy(), vf);
        for (std::int32_t j = 1; j <= 361; ++j) {
            polar::off_axis_values a = polar::off_axis(s, pi, j);
            polar::off_axis_values b = polar::off_axis(s, pi, 362 - j);
            ASSERT_EQ(std::memcmp(&a.t3, &a.g23, sizeof(float)), 0) << j;
            expect_relative(a.e3, b.e3, 1e-4f, "E3");
            expect_relative(a.g23, b.g23, 1e-4f, "G23");
            expect_relative(a.g13, b.g13, 1e-4f, "G13");
            expect_relative(a.k3, b.k3, 1e-4f, "K3");
            expect_relative(a.nu32, b.nu32, 1e-4f, "NU32");
            expect_relative(a.nu13, b.nu13, 1e-4f, "NU13");
        }
    }
}

}  // namespace
