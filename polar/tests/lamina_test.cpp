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
    polar::inv(c, 6, s, [](std::string_view, std::int32_t) { FAIL() << "unexpected pause"; });
    return s;
}

TEST(Lamina, NoFibreGivesTheMatrixAllFibreTheFibre) {
    const polar::mf m = carbon_epoxy();
    const polar::constituent_constants k = polar::constituents(m);
    polar::composite_constants p = polar::composite(m, k, 0.0f);
    EXPECT_EQ(p.e11, m.em);
    EXPECT_EQ(p.g12, k.gm);
    EXPECT_EQ(p.g23, k.gm);
    EXPECT_EQ(p.nu12, m.num);
    EXPECT_EQ(p.k23, k.km);
    p = polar::composite(m, k, 1.0f);
    EXPECT_EQ(p.e11, m.efl);
    EXPECT_EQ(p.nu12, k.nuflt);
    expect_relative(p.g12, m.gflt, 1e-6f, "g12");
    expect_relative(p.g23, m.gftt, 1e-6f, "g23");
    expect_relative(p.k23, m.kftt, 1e-6f, "k23");
}

// Rows j and 362 - j agree; T3 is G23, bit for bit.
TEST(OffAxis, SymmetricAnglesAgreeAndT3IsG23) {
    const float pi = std::acos(-1.0f);
    for (float vf : {0.0f, 0.4f, 1.0f}) {
        polar::matrix6 s = compliance_of(carbon_epoxy(), vf);
        for (std::int32_t j = 1; j <= 361; ++j) {
            polar::off_axis_values a = polar::off_axis(s, pi, j);
            polar::off_axis_values b = polar::off_axis(s, pi, 362 - j);
            ASSERT_EQ(std::memcmp(&a.t3, &a.g23, sizeof(float)), 0) << j;
            for (auto field : {&polar::off_axis_values::e3, &polar::off_axis_values::g23, &polar::off_axis_values::g13,
                               &polar::off_axis_values::k3, &polar::off_axis_values::nu32, &polar::off_axis_values::nu13})
                expect_relative(a.*field, b.*field, 1e-4f, "row and mirror");
        }
    }
}

}  // namespace
