// The shared picture pieces that the pictures of the case folders reach only
// in part: numbers and text as the documents write them, round tick values,
// tick labels and the linear scale.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "plots/axes.hpp"
#include "plots/svg.hpp"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

TEST(Number, TwoDecimalsAtMostAndNeverMinusZeroOrNonFinite) {
    struct case_ {
        double value;
        const char* text;
    } cases[] = {{0.0, "0"},      {-0.0, "0"},      {-0.001, "0"},   {12.5, "12.5"}, {3.14159, "3.14"},
                 {100.0, "100"},  {-7.25, "-7.25"}, {1e6, "1000000"}, {inf, "0"},     {nan, "0"},
                 {-inf, "0"},     {0.005, "0.01"}};
    for (const auto& c : cases) EXPECT_EQ(plots::number(c.value), c.text) << c.value;
}

TEST(Escaped, TheFiveSpecialCharacters) {
    EXPECT_EQ(plots::escaped(R"(a<b>&"c'd)"), "a&lt;b&gt;&amp;&quot;c&apos;d");
    EXPECT_EQ(plots::escaped("E3 (GPA)"), "E3 (GPA)");
    // Text in an attribute cannot end the attribute or the element.
    EXPECT_EQ(plots::attribute("id", "E3"), R"(id="E3")");
    EXPECT_EQ(plots::attribute("data-name", R"(a"b<c&)"), R"(data-name="a&quot;b&lt;c&amp;")");
}

TEST(NiceTicks, RoundStepsThatCoverTheRange) {
    struct case_ {
        double low, high;
        std::vector<double> ticks;
    } cases[] = {
        {0.0, 1.0, {0.0, 0.2, 0.4, 0.6, 0.8, 1.0}},
        {0.0, 94.12, {0.0, 20.0, 40.0, 60.0, 80.0, 100.0}},
        {-3.0, 7.0, {-4.0, -2.0, 0.0, 2.0, 4.0, 6.0, 8.0}},
        {0.0, 0.2897, {0.0, 0.1, 0.2, 0.3}},
    };
    for (const auto& c : cases) {
        auto ticks = plots::nice_ticks(c.low, c.high, 5);
        ASSERT_EQ(ticks.size(), c.ticks.size()) << c.low << " " << c.high;
        for (std::size_t k = 0; k < ticks.size(); ++k) EXPECT_NEAR(ticks[k], c.ticks[k], 1e-12);
    }
}

TEST(NiceTicks, DegenerateAndNonFiniteRangesStillGiveAnAxis) {
    for (auto [low, high] : {std::pair{1.0, 1.0}, {0.0, 0.0}, {-5e30, -5e30}, {nan, 1.0}, {0.0, inf},
                             {-1e308, 1e308}, {2.0, 1.0}}) {
        auto ticks = plots::nice_ticks(low, high, 4);
        ASSERT_GE(ticks.size(), 2u) << low << " " << high;
        EXPECT_LT(ticks.front(), ticks.back());
        for (double t : ticks) EXPECT_TRUE(std::isfinite(t));
        if (std::isfinite(low) && std::isfinite(high)) {
            EXPECT_LE(ticks.front(), std::min(low, high));
            EXPECT_GE(ticks.back(), std::max(low, high));
        }
    }
}

// A range narrower than a millionth of a millionth of its values, such as a
// constant profile that came out with a rounding difference, is widened like
// an empty one, rather than given ticks a few ulps apart that all read alike.
TEST(NiceTicks, NearlyEmptyRangeIsWidenedLikeAnEmptyOne) {
    for (auto [low, high] : {std::pair{1.0, 1.0 + 1e-13}, {-250.0, -250.0 + 1e-11}, {1.0, 1.0}}) {
        auto ticks = plots::nice_ticks(low, high, 4);
        ASSERT_GE(ticks.size(), 2u) << low << " " << high;
        EXPECT_LE(ticks.front(), low - std::abs(low) * 0.1) << low << " " << high;
        EXPECT_GE(ticks.back(), high + std::abs(high) * 0.1) << low << " " << high;
    }
}

TEST(TickLabel, DecimalsFollowTheStep) {
    EXPECT_EQ(plots::tick_label(0.4, 0.2), "0.4");
    EXPECT_EQ(plots::tick_label(0.25, 0.25), "0.25");
    EXPECT_EQ(plots::tick_label(40.0, 20.0), "40");
    EXPECT_EQ(plots::tick_label(-2.5, 2.5), "-2.5");
    EXPECT_EQ(plots::tick_label(0.0, 0.05), "0");
    EXPECT_EQ(plots::tick_label(3e7, 1e7), "3e+07");
    EXPECT_EQ(plots::tick_label(2.5e7, 5e6), "2.5e+07");
    EXPECT_EQ(plots::tick_label(2e-5, 1e-5), "2e-05");
    // No step (0): whole numbers, as for a step of 1, not the exponent form
    // of a tiny step.
    EXPECT_EQ(plots::tick_label(5.0, 0.0), "5");
    EXPECT_EQ(plots::tick_label(-40.0, 0.0), "-40");
}

TEST(LinearScale, MapsEndsAndSurvivesAnEmptyRange) {
    plots::linear_scale s{0.0, 10.0, 100.0, 300.0};
    EXPECT_DOUBLE_EQ(s(0.0), 100.0);
    EXPECT_DOUBLE_EQ(s(5.0), 200.0);
    plots::linear_scale upwards{0.0, 1.0, 500.0, 100.0};
    EXPECT_DOUBLE_EQ(upwards(1.0), 100.0);
    plots::linear_scale flat{3.0, 3.0, 0.0, 10.0};
    EXPECT_DOUBLE_EQ(flat(3.0), 5.0);
}

}  // namespace
