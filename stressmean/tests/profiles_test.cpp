// The three profiles computed from stress arrays directly: which records
// enter which mean, in which order, exactly (the printed E10.3 values hide
// a neighbouring record).
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "stressmean/profiles.hpp"

namespace {

using stressmean::ne;
using stressmean::stress_array;

// sz(k) = sign * k: every mean is then exactly a mean of record numbers.
stress_array record_numbers(float sign) {
    stress_array a{};
    for (std::int32_t k = 1; k <= ne; ++k) a[k] = sign * static_cast<float>(k);
    return a;
}

TEST(Profiles, ZhWindowsOfRecordNumbers) {
    auto zh = stressmean::zh_profile(record_numbers(1.0f), record_numbers(-1.0f));
    for (std::int32_t i = 1; i <= 95; ++i) {
        // Two records per slice, the first column from 1975, the second from
        // 2299; record 48 straddles the two.
        float expected = i < 48 ? 1975.0f + 2.0f * static_cast<float>(i - 1) + 1.5f
                       : i > 48 ? 2299.0f + 2.0f * static_cast<float>(i - 49) + 1.5f
                                : 2184.5f;
        EXPECT_EQ(zh[i - 1].i, i);
        EXPECT_EQ(zh[i - 1].esavgz, expected) << i;
        EXPECT_EQ(zh[i - 1].esavghz, -expected) << i;
        EXPECT_EQ(zh[i - 1].zdh, static_cast<float>(i / 96.0)) << i;
    }
}

TEST(Profiles, SixAndTwentySixPointValuesOfRecordNumbers) {
    stress_array sz = record_numbers(1.0f);
    auto six = stressmean::six_point_profile(sz);
    const float saz[6] = {2184.5f, 2142.5f, 2100.5f, 2069.25f, 2016.5f, 1938.125f};
    const float ydb6[6] = {0.9961f, 0.9922f, 0.9883f, 0.9844f, 0.9766f, 0.9531f};
    for (std::int32_t j = 1; j <= 6; ++j) {
        EXPECT_EQ(six[j - 1].j, j);
        EXPECT_EQ(six[j - 1].saz, saz[j - 1]) << j;
        EXPECT_EQ(six[j - 1].ydb, ydb6[j - 1]) << j;
    }

    auto yb = stressmean::yb_profile(sz);
    const float sazm[26] = {2393.5f, 2346.0f, 2225.0f, 2128.0f, 1188.0f, 1185.0f, 1180.5f, 1177.0f, 1174.0f,
                            1170.5f, 1167.0f, 1163.0f, 1085.0f, 1081.0f, 795.0f,  791.0f,  896.0f,  893.0f,
                            888.5f,  885.0f,  882.0f,  878.5f,  875.0f,  871.0f,  291.0f,  287.0f};
    const float sazt[26] = {1975.5f, 1939.0f, 1807.0f, 1747.0f, 1214.0f, 1209.0f, 1206.5f, 1203.0f, 1200.0f,
                            1196.5f, 1191.0f, 1189.0f, 901.0f,  897.0f,  609.0f,  605.0f,  26.0f,   21.0f,
                            18.5f,   15.0f,   12.0f,   8.5f,    3.0f,    1.0f,    105.0f,  101.0f};
    // Y/B = n / 256, exact.
    const int n[26] = {255, 254, 250, 244, 236, 228, 216, 200, 184, 168, 156, 148, 140,
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
    auto with = [](std::array<std::int32_t, 4> at, std::array<float, 4> terms) {
        stress_array s{};
        for (int t = 0; t < 4; ++t) s[at[t]] = terms[t];
        return s;
    };
    const std::array<float, 4> terms = {1e8f, 1.0f, -1e8f, 1.0f};
    EXPECT_EQ(stressmean::zh_profile(with({1975, 1976, 1977, 1978}, terms), {})[0].esavgz, 0.25f);
    EXPECT_EQ(stressmean::zh_profile({}, with({2391, 2392, 2393, 2394}, terms))[94].esavghz, 0.25f);
    stress_array mid = with({2069, 2070, 2299, 2300}, terms);
    EXPECT_EQ(stressmean::zh_profile(mid, mid)[47].esavgz, 0.25f);
    EXPECT_EQ(stressmean::six_point_profile(mid)[0].saz, 0.25f);
    EXPECT_EQ(stressmean::six_point_profile(with({1974, 2070, 2299, 2227}, terms))[1].saz, 0.25f);
    // Six-point record 3: the inner mean (sz(1974) + sz(2227)) / 2 is a term
    // of its own: (1e8 + 1 - 1e8) / 3 = 0 from the left, 1/3 read otherwise.
    auto three = with({1973, 1974, 2227, 2228}, {1e8f, 1.0f, 1.0f, -1e8f});
    EXPECT_EQ(stressmean::six_point_profile(three)[2].saz, 0.0f);
}

}  // namespace
