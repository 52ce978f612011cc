// The three profiles computed from stress arrays directly: the worked cases
// of each profile, and sums formed in their order, exactly (the printed
// E10.3 values hide the last digits).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
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

TEST(Profiles, SixPointValuesOfRecordNumbers) {
    auto six = stressmean::six_point_profile(record_numbers(1.0f));
    // saz(1) is the middle record of the Z/H profile; saz(3) a mean of three
    // with a mean of two inside; saz(4) starts from saz(2).
    const float saz[6] = {2184.5f, 2142.5f, 2100.5f, 2069.25f, 2016.5f, 1938.125f};
    const float ydb6[6] = {0.9961f, 0.9922f, 0.9883f, 0.9844f, 0.9766f, 0.9531f};
    for (std::int32_t j = 1; j <= 6; ++j) {
        EXPECT_EQ(six[j - 1].j, j);
        EXPECT_EQ(six[j - 1].saz, saz[j - 1]) << j;
        EXPECT_EQ(six[j - 1].ydb, ydb6[j - 1]) << j;
    }
}

// Which records the 26-point profile takes is pinned through the program's
// files by the case family stressmean/record-numbers; here, what its values
// are made of: each one record of SIGZ or the mean of two, at Y/B = n/256.
TEST(Profiles, TwentySixPointWorkedCases) {
    auto first = stressmean::yb_profile(record_numbers(1.0f));
    EXPECT_EQ(first[0].sazm, 2393.5f);  // (sz(2394) + sz(2393)) / 2
    EXPECT_EQ(first[0].sazt, 1975.5f);  // (sz(1975) + sz(1976)) / 2
    EXPECT_EQ(first[0].ydb, 0.99609375f);
    EXPECT_EQ(first[25].ydb, 0.015625f);

    // Equal values give that value in every field, and SIGHZ enters none.
    stress_array ones{};
    ones.fill(1.0f);
    for (const auto& rec : stressmean::yb_profile(ones)) {
        EXPECT_EQ(rec.sazm, 1.0f) << rec.i;
        EXPECT_EQ(rec.sazt, 1.0f) << rec.i;
    }

    auto yb = stressmean::yb_profile(record_numbers(1.0f));
    for (std::int32_t i = 1; i <= 26; ++i) {
        const auto& rec = yb[i - 1];
        EXPECT_EQ(rec.i, i);
        // Y/B falls from record to record, every value an exact n/256.
        float n = rec.ydb * 256.0f;
        EXPECT_EQ(n, std::floor(n)) << i;
        if (i > 1) {
            EXPECT_LT(rec.ydb, yb[i - 2].ydb) << i;
        }
        // A record number, or the mean of two: a whole or half number in the model.
        for (float value : {rec.sazm, rec.sazt}) {
            EXPECT_EQ(value * 2.0f, std::floor(value * 2.0f)) << i;
            EXPECT_GE(value, 1.0f) << i;
            EXPECT_LE(value, static_cast<float>(ne)) << i;
        }
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
