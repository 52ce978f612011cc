// The LU inversion routines on their own: pivoting, ties, singular
// matrices, the pause on an all-zero row, and the factors themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "polar/inversion.hpp"

namespace {

using polar::inv;
using polar::lubksb;
using polar::ludcmp;

// A matrix given row by row, stored by columns.
std::vector<float> by_columns(std::int32_t n, std::initializer_list<float> rows) {
    std::vector<float> rowwise(rows);
    std::vector<float> m(static_cast<std::size_t>(n * n));
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < n; ++j) m[static_cast<std::size_t>(j * n + i)] = rowwise[static_cast<std::size_t>(i * n + j)];
    return m;
}

float at(const std::vector<float>& m, std::int32_t n, std::int32_t i, std::int32_t j) {
    return m[static_cast<std::size_t>((j - 1) * n + (i - 1))];
}

std::vector<float> identity(std::int32_t n) {
    std::vector<float> m(static_cast<std::size_t>(n * n), 0.0f);
    for (std::int32_t i = 1; i <= n; ++i) m[static_cast<std::size_t>((i - 1) * n + (i - 1))] = 1.0f;
    return m;
}

// Counts the pauses and keeps their messages.
struct pause_recorder {
    std::vector<std::string> messages;
    polar::pause_fn fn() {
        return [this](std::string_view m) { messages.emplace_back(m); };
    }
};

const polar::pause_fn no_pause = [](std::string_view m) { FAIL() << "unexpected pause: " << m; };

TEST(Inversion, IdentityIsItsOwnInverse) {
    for (std::int32_t n : {1, 2, 6}) {
        std::vector<float> a = identity(n);
        std::vector<float> y(a.size(), 7.0f);
        inv(a, n, y, no_pause);
        EXPECT_EQ(y, a) << "order " << n;
    }
}

TEST(Inversion, OrdersAboveAHundredRowsWork) {
    // The row scale factors are sized for the order of each call.
    const std::int32_t n = 150;
    std::vector<float> a = identity(n);
    for (std::int32_t i = 1; i <= n; ++i) a[static_cast<std::size_t>((i - 1) * n + (i - 1))] = 2.0f;
    std::vector<float> y(a.size());
    inv(a, n, y, no_pause);
    for (std::int32_t i = 1; i <= n; ++i)
        for (std::int32_t j = 1; j <= n; ++j) ASSERT_EQ(at(y, n, i, j), i == j ? 0.5f : 0.0f);
}

TEST(Inversion, SwapRecordsTheInterchangeAndInvertsExactly) {
    std::vector<float> a = by_columns(2, {0.0f, 1.0f, 1.0f, 0.0f});
    std::vector<float> lu = a;
    std::vector<std::int32_t> indx(2);
    float d = 0.0f;
    ludcmp(lu, 2, 2, indx, d, no_pause);
    EXPECT_EQ(indx, (std::vector<std::int32_t>{2, 2}));
    EXPECT_EQ(d, -1.0f);

    std::vector<float> y(4);
    inv(a, 2, y, no_pause);
    EXPECT_EQ(y, a);
}

TEST(Inversion, TieOfScaledPivotsPicksTheLaterRow) {
    // Scaled candidates of column 1: 1 * 1/1 and 2 * 1/2.
    std::vector<float> a = by_columns(2, {1.0f, 1.0f, 2.0f, 1.0f});
    std::vector<float> lu = a;
    std::vector<std::int32_t> indx(2);
    float d = 0.0f;
    ludcmp(lu, 2, 2, indx, d, no_pause);
    EXPECT_EQ(indx[0], 2);
    EXPECT_EQ(d, -1.0f);

    std::vector<float> y(4);
    inv(a, 2, y, no_pause);
    EXPECT_EQ(y, by_columns(2, {-1.0f, 1.0f, 2.0f, -1.0f}));
}

TEST(Inversion, SingularWithoutZeroRowUsesTinyPivotSilently) {
    std::vector<float> a = by_columns(2, {1.0f, 2.0f, 1.0f, 2.0f});
    std::vector<float> lu = a;
    std::vector<std::int32_t> indx(2);
    float d = 0.0f;
    ludcmp(lu, 2, 2, indx, d, no_pause);
    EXPECT_EQ(indx[0], 2);
    EXPECT_EQ(at(lu, 2, 2, 2), polar::tiny);

    std::vector<float> y(4);
    inv(a, 2, y, no_pause);
    EXPECT_FLOAT_EQ(at(y, 2, 1, 1), -2.0e20f);
    EXPECT_FLOAT_EQ(at(y, 2, 2, 1), 1.0e20f);
    EXPECT_EQ(a, by_columns(2, {1.0f, 2.0f, 1.0f, 2.0f}));  // the input is left alone
}

TEST(Inversion, ResultDoesNotDependOnWhatYHeld) {
    std::vector<float> a = by_columns(3, {4.0f, -2.0f, 1.0f, 3.0f, 6.0f, -4.0f, 2.0f, 1.0f, 8.0f});
    std::vector<float> from_zeros(9, 0.0f);
    std::vector<float> from_junk(9, std::numeric_limits<float>::quiet_NaN());
    from_junk[4] = 1.0e30f;
    inv(a, 3, from_zeros, no_pause);
    inv(a, 3, from_junk, no_pause);
    EXPECT_EQ(std::memcmp(from_zeros.data(), from_junk.data(), 9 * sizeof(float)), 0);
}

TEST(Inversion, LowerTimesUpperIsThePermutedInput) {
    const std::int32_t n = 5;
    std::vector<float> a = by_columns(n, {2.0f, -1.0f, 0.5f, 3.0f, 1.0f,   //
                                          7.0f, 2.0f, -3.0f, 1.0f, 0.25f,  //
                                          -1.0f, 4.0f, 2.0f, 0.0f, 5.0f,   //
                                          0.1f, 0.2f, 9.0f, -2.0f, 1.0f,   //
                                          3.0f, 3.0f, 1.0f, 6.0f, -7.0f});
    std::vector<float> lu = a;
    std::vector<std::int32_t> indx(n);
    float d = 0.0f;
    ludcmp(lu, n, n, indx, d, no_pause);

    // Apply the recorded interchanges to the input, in order.
    std::vector<float> permuted = a;
    for (std::int32_t j = 1; j <= n; ++j) {
        std::int32_t r = indx[static_cast<std::size_t>(j - 1)];
        ASSERT_GE(r, j);
        for (std::int32_t k = 1; k <= n; ++k)
            std::swap(permuted[static_cast<std::size_t>((k - 1) * n + (j - 1))],
                      permuted[static_cast<std::size_t>((k - 1) * n + (r - 1))]);
    }
    for (std::int32_t i = 1; i <= n; ++i)
        for (std::int32_t j = 1; j <= n; ++j) {
            double sum = 0.0;
            for (std::int32_t k = 1; k <= std::min(i, j); ++k) {
                double l = k == i ? 1.0 : at(lu, n, i, k);
                sum += l * at(lu, n, k, j);
            }
            EXPECT_NEAR(sum, at(permuted, n, i, j), 1e-5) << i << "," << j;
        }

    // And the inverse is one.
    std::vector<float> y(a.size());
    inv(a, n, y, no_pause);
    for (std::int32_t i = 1; i <= n; ++i)
        for (std::int32_t j = 1; j <= n; ++j) {
            double sum = 0.0;
            for (std::int32_t k = 1; k <= n; ++k) sum += double(at(a, n, i, k)) * at(y, n, k, j);
            EXPECT_NEAR(sum, i == j ? 1.0 : 0.0, 1e-5);
        }
}

TEST(Inversion, BackSubstitutionSkipsLeadingZerosOfTheRightHandSide) {
    // With b = (0, 0, 1) only the last forward step does anything.
    std::vector<float> lu = by_columns(3, {2.0f, 0.0f, 0.0f, 0.5f, 4.0f, 0.0f, 0.25f, 0.5f, 8.0f});
    std::vector<std::int32_t> indx = {1, 2, 3};
    std::vector<float> b = {0.0f, 0.0f, 1.0f};
    lubksb(lu, 3, 3, indx, b);
    EXPECT_EQ(b, (std::vector<float>{0.0f, 0.0f, 0.125f}));
}

TEST(Inversion, EveryAllZeroRowPausesOnceAndTheInversionCompletes) {
    pause_recorder pauses;
    std::vector<float> a = by_columns(3, {1.0f, 2.0f, 3.0f, 0.0f, 0.0f, 0.0f, 4.0f, 5.0f, 7.0f});
    std::vector<float> y(9);
    inv(a, 3, y, pauses.fn());
    EXPECT_EQ(pauses.messages, std::vector<std::string>{"singular matrix"});
    // The zero row ends as a zero pivot replaced by 1.0e-20: the inverse
    // blows up (infinite, not-a-number or of the order of 1.0e20).
    bool blown_up = false;
    for (float v : y) blown_up = blown_up || !std::isfinite(v) || std::fabs(v) >= 1.0e19f;
    EXPECT_TRUE(blown_up);
}

TEST(Inversion, NotANumberRowCountsAsAllZero) {
    pause_recorder pauses;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> a = by_columns(2, {nan, nan, 1.0f, 2.0f});
    std::vector<float> y(4);
    inv(a, 2, y, pauses.fn());
    EXPECT_EQ(pauses.messages.size(), 1u);
}

TEST(Inversion, AllNotANumberCandidatesKeepThePivotOnItsRow) {
    // A zero matrix: every scale factor is infinite and every scaled
    // candidate 0 * infinity, so no row wins; the pivot stays put.
    pause_recorder pauses;
    std::vector<float> lu(9, 0.0f);
    std::vector<std::int32_t> indx(3, -1);
    float d = 0.0f;
    ludcmp(lu, 3, 3, indx, d, pauses.fn());
    EXPECT_EQ(pauses.messages.size(), 3u);
    EXPECT_EQ(indx, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(d, 1.0f);
}

TEST(Inversion, StorageTooSmallForTheOrderIsRefused) {
    std::vector<float> a(3, 1.0f);  // not 2 by 2
    std::vector<float> y(4);
    EXPECT_THROW(inv(a, 2, y, no_pause), std::out_of_range);
    std::vector<std::int32_t> indx(1);  // order 2 needs two entries
    std::vector<float> lu = identity(2);
    float d = 0.0f;
    EXPECT_THROW(ludcmp(lu, 2, 2, indx, d, no_pause), std::out_of_range);
}

}  // namespace
