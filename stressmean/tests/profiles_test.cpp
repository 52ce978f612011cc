// The three profiles computed from stress arrays directly: which records
// enter which mean, in which order, and the positions.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "stressmean/profiles.hpp"

namespace {

using stressmean::ne;
using stressmean::stress_array;

stress_array filled(float value) {
    stress_array a{};
    a.fill(value);
    return a;
}

// sz(k) = k: every mean is then exactly a mean of record numbers.
stress_array record_numbers(float sign) {
    stress_array a{};
    for (std::int32_t k = 1; k <= ne; ++k) a[k] = sign * static_cast<float>(k);
    return a;
}

TEST(Profiles, EqualValuesGiveThatValueEverywhere) {
    stress_array ones = filled(1.0f);
    for (const auto& rec : stressmean::zh_profile(ones, ones)) {
        EXPECT_EQ(rec.esavgz, 1.0f) << rec.i;
        EXPECT_EQ(rec.esavghz, 1.0f) << rec.i;
    }
    for (const auto& rec : stressmean::six_point_profile(ones)) EXPECT_EQ(rec.saz, 1.0f) << rec.j;
    for (const auto& rec : stressmean::yb_profile(ones)) {
        EXPECT_EQ(rec.sazm, 1.0f) << rec.i;
        EXPECT_EQ(rec.sazt, 1.0f) << rec.i;
    }
}

TEST(Profiles, ZhWindowsOfRecordNumbers) {
    stress_array sz = record_numbers(1.0f);
    stress_array shz = record_numbers(-1.0f);
    auto zh = stressmean::zh_profile(sz, shz);
    for (std::int32_t i = 1; i <= 95; ++i) {
        const auto& rec = zh[i - 1];
        EXPECT_EQ(rec.i, i);
        // Window start: two records per slice, the first column from 1975,
        // the second from 2299; record 48 straddles the two.
        float expected = i < 48 ? 1975.0f + 2.0f * static_cast<float>(i - 1) + 1.5f
                       : i > 48 ? 2299.0f + 2.0f * static_cast<float>(i - 49) + 1.5f
                                : 2184.5f;
        EXPECT_EQ(rec.esavgz, expected) << i;
        EXPECT_EQ(rec.esavghz, -expected) << i;
        EXPECT_EQ(rec.zdh, static_cast<float>(i / 96.0)) << i;
    }
    EXPECT_EQ(zh[0].esavgz, 1976.5f);
    EXPECT_EQ(zh[46].esavgz, 2068.5f);
    EXPECT_EQ(zh[47].zdh, 0.5f);
    EXPECT_EQ(zh[48].esavgz, 2300.5f);
    EXPECT_EQ(zh[94].esavgz, 2392.5f);
}

TEST(Profiles, SixPointMeansOfRecordNumbers) {
    stress_array sz = record_numbers(1.0f);
    auto six = stressmean::six_point_profile(sz);
    // Worked by hand from the record numbers of each mean.
    const std::array<float, 6> saz = {2184.5f, 2142.5f, 2100.5f, 2069.25f, 2016.5f, 1938.125f};
    const std::array<float, 6> ydb = {0.9961f, 0.9922f, 0.9883f, 0.9844f, 0.9766f, 0.9531f};
    for (std::int32_t j = 1; j <= 6; ++j) {
        EXPECT_EQ(six[j - 1].j, j);
        EXPECT_EQ(six[j - 1].saz, saz[j - 1]) << j;
        EXPECT_EQ(six[j - 1].ydb, ydb[j - 1]) << j;
    }
    // The first point is the mid-height Z/H record.
    EXPECT_EQ(six[0].saz, stressmean::zh_profile(sz, sz)[47].esavgz);
}

TEST(Profiles, TwentySixPointValuesOfRecordNumbers) {
    stress_array sz = record_numbers(1.0f);
    auto yb = stressmean::yb_profile(sz);
    const std::array<float, 26> sazm = {2393.5f, 2346.0f, 2225.0f, 2128.0f, 1188.0f, 1185.0f, 1180.5f,
                                        1177.0f, 1174.0f, 1170.5f, 1167.0f, 1163.0f, 1085.0f, 1081.0f,
                                        795.0f,  791.0f,  896.0f,  893.0f,  888.5f,  885.0f,  882.0f,
                                        878.5f,  875.0f,  871.0f,  291.0f,  287.0f};
    const std::array<float, 26> sazt = {1975.5f, 1939.0f, 1807.0f, 1747.0f, 1214.0f, 1209.0f, 1206.5f,
                                        1203.0f, 1200.0f, 1196.5f, 1191.0f, 1189.0f, 901.0f,  897.0f,
                                        609.0f,  605.0f,  26.0f,   21.0f,   18.5f,   15.0f,   12.0f,
                                        8.5f,    3.0f,    1.0f,    105.0f,  101.0f};
    // Y/B = n / 256, exact.
    const std::array<int, 26> n = {255, 254, 250, 244, 236, 228, 216, 200, 184, 168, 156, 148, 140,
                                   132, 124, 116, 108, 100, 88,  72,  56,  40,  28,  20,  12,  4};
    for (std::int32_t i = 1; i <= 26; ++i) {
        EXPECT_EQ(yb[i - 1].i, i);
        EXPECT_EQ(yb[i - 1].sazm, sazm[i - 1]) << i;
        EXPECT_EQ(yb[i - 1].sazt, sazt[i - 1]) << i;
        EXPECT_EQ(yb[i - 1].ydb, static_cast<float>(n[i - 1]) / 256.0f) << i;
    }
}

// 1e8 + 1 rounds back to 1e8 in single precision, so only the sum taken
// from the left, ((1e8 + 1) - 1e8) + 1 = 1, gives the mean 0.25.
TEST(Profiles, SumsRunFromTheLeft) {
    stress_array sz = filled(0.0f);
    stress_array shz = filled(0.0f);
    const std::array<float, 4> terms = {1e8f, 1.0f, -1e8f, 1.0f};
    for (int t = 0; t < 4; ++t) {
        sz[1975 + t] = terms[t];   // Z/H record 1
        shz[2391 + t] = terms[t];  // Z/H record 95
    }
    auto zh = stressmean::zh_profile(sz, shz);
    EXPECT_EQ(zh[0].esavgz, 0.25f);
    EXPECT_EQ(zh[94].esavghz, 0.25f);

    // Record 48: sz(2069), sz(2070), sz(2299), sz(2300) in that order.
    stress_array mid = filled(0.0f);
    mid[2069] = 1e8f;
    mid[2070] = 1.0f;
    mid[2299] = -1e8f;
    mid[2300] = 1.0f;
    EXPECT_EQ(stressmean::zh_profile(mid, mid)[47].esavgz, 0.25f);
    EXPECT_EQ(stressmean::six_point_profile(mid)[0].saz, 0.25f);

    // Six-point record 2: sz(1974), sz(2070), sz(2299), sz(2227).
    stress_array two = filled(0.0f);
    two[1974] = 1e8f;
    two[2070] = 1.0f;
    two[2299] = -1e8f;
    two[2227] = 1.0f;
    EXPECT_EQ(stressmean::six_point_profile(two)[1].saz, 0.25f);

    // Six-point record 3: the inner mean (sz(1974) + sz(2227)) / 2 is a
    // term of its own: (1e8 + (1 + 1)/2 - 1e8) / 3 = 0 from the left,
    // and 1 would be (1e8 - 1e8 + 1) / 3 read otherwise.
    stress_array three = filled(0.0f);
    three[1973] = 1e8f;
    three[1974] = 1.0f;
    three[2227] = 1.0f;
    three[2228] = -1e8f;
    EXPECT_EQ(stressmean::six_point_profile(three)[2].saz, 0.0f);
}

TEST(Profiles, NonFiniteValuesPassThrough) {
    stress_array sz = filled(2.0f);
    stress_array shz = filled(2.0f);
    const float inf = std::numeric_limits<float>::infinity();
    sz[2394] = std::numeric_limits<float>::quiet_NaN();
    sz[1975] = inf;
    shz[1978] = -inf;
    auto zh = stressmean::zh_profile(sz, shz);
    EXPECT_EQ(zh[0].esavgz, inf);
    EXPECT_EQ(zh[0].esavghz, -inf);
    EXPECT_TRUE(std::isnan(zh[94].esavgz));
    EXPECT_EQ(zh[1].esavgz, 2.0f);
    auto yb = stressmean::yb_profile(sz);
    EXPECT_TRUE(std::isnan(yb[0].sazm));
    EXPECT_TRUE(std::isnan(yb[1].sazm));
    EXPECT_EQ(yb[0].sazt, inf);
    EXPECT_EQ(yb[1].sazt, inf);
    EXPECT_EQ(yb[2].sazm, 2.0f);
}

}  // namespace
