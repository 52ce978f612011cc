// The properties of one volume fraction, computed apart from their report:
// the worked example, the matrices' symmetries and inverse, and the zero
// rows of a stiffness noted for the report instead of pausing the run.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>

#include "polar/lamina.hpp"

namespace {

// Carbon fibre in epoxy, in GPa.
polar::mf carbon_epoxy(float em = 3.5f) {
    polar::mf m;
    m.em = em;
    m.num = 0.35f;
    m.efl = 230.0f;
    m.eft = 15.0f;
    m.gflt = 24.0f;
    m.gftt = 5.02f;
    m.kftt = 15.0f;
    return m;
}

TEST(Lamina, WorkedExampleAtFortyPercent) {
    const polar::lamina l = polar::lamina_properties(carbon_epoxy(), 0.40f);
    EXPECT_EQ(l.vf, 0.40f);
    // As the report prints them, three digits.
    EXPECT_NEAR(l.composite.e11, 94.1f, 0.05f);
    EXPECT_NEAR(l.composite.e22, 6.09f, 0.005f);
    EXPECT_NEAR(l.composite.g12, 2.75f, 0.005f);
    EXPECT_NEAR(l.composite.g23, 2.02f, 0.005f);
    EXPECT_NEAR(l.composite.nu12, 0.290f, 0.0005f);
    EXPECT_NEAR(l.composite.nu23, 0.507f, 0.0005f);
    EXPECT_NEAR(l.constituents.gm, 1.296f, 0.0005f);
    EXPECT_NEAR(polar::el(l.c, 3, 3), 96.24f, 0.005f);
    EXPECT_TRUE(l.zero_rows.empty());
}

TEST(Lamina, StiffnessSymmetricAndComplianceItsInverse) {
    for (float vf : {0.0f, 0.4f, 0.6f, 1.0f}) {
        const polar::lamina l = polar::lamina_properties(carbon_epoxy(), vf);
        EXPECT_EQ(polar::el(l.c, 1, 1), polar::el(l.c, 2, 2)) << vf;
        EXPECT_EQ(polar::el(l.c, 4, 4), polar::el(l.c, 5, 5)) << vf;
        for (int i = 1; i <= 6; ++i) {
            for (int j = 1; j <= 6; ++j) {
                EXPECT_EQ(polar::el(l.c, i, j), polar::el(l.c, j, i)) << vf << " " << i << " " << j;
                double sum = 0.0;
                for (int k = 1; k <= 6; ++k) sum += double(polar::el(l.c, i, k)) * polar::el(l.s, k, j);
                EXPECT_NEAR(sum, i == j ? 1.0 : 0.0, 1e-4) << vf << " " << i << " " << j;
            }
        }
    }
}

// A matrix modulus near the float limit leaves rows 1, 2, 3 and 6 of the
// stiffness not a number: the inversion cannot scale them, and the
// properties note each of them, in order, with what the inversion says, for
// the report to pause at; computing them waits for nobody.
TEST(Lamina, ZeroRowsNotedInOrderWithoutAPause) {
    const polar::lamina l = polar::lamina_properties(carbon_epoxy(0.3e39f), 0.40f);
    const std::int32_t rows[] = {1, 2, 3, 6};
    ASSERT_EQ(l.zero_rows.size(), std::size(rows));
    for (std::size_t k = 0; k < std::size(rows); ++k) {
        EXPECT_EQ(l.zero_rows[k].row, rows[k]);
        EXPECT_EQ(l.zero_rows[k].message, "singular matrix");
    }
    EXPECT_TRUE(std::isnan(polar::el(l.s, 1, 1)));
}

}  // namespace
