// The LU inversion routines on their own: pivoting, ties, singular
// matrices, the pause on an all-zero row, and the factors themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "polar/inversion.hpp"

namespace {

using polar::invert;
using fvec = std::vector<float>;
using ivec = std::vector<std::int32_t>;

const float nan = std::numeric_limits<float>::quiet_NaN();

// A matrix given row by row, stored by columns.
fvec by_columns(std::int32_t n, std::initializer_list<float> rows) {
    fvec rowwise(rows), m(rowwise.size());
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < n; ++j) m[static_cast<std::size_t>(j * n + i)] = rowwise[static_cast<std::size_t>(i * n + j)];
    return m;
}

float at(const fvec& m, std::int32_t n, std::int32_t i, std::int32_t j) { return m[static_cast<std::size_t>((j - 1) * n + (i - 1))]; }

fvec diagonal(std::int32_t n, float value) {
    fvec m(static_cast<std::size_t>(n * n), 0.0f);
    for (std::int32_t i = 0; i < n; ++i) m[static_cast<std::size_t>(i * n + i)] = value;
    return m;
}

// Keeps the messages of the pauses.
struct pauses {
    std::vector<std::string> messages;
    polar::pause_fn fn() {
        return [this](std::string_view m, std::int32_t) { messages.emplace_back(m); };
    }
};

const polar::pause_fn no_pause = [](std::string_view m, std::int32_t) { FAIL() << "unexpected pause: " << m; };

// ludcmp on a copy of a.
struct factors {
    fvec lu;
    ivec indx;
    float d = 0.0f;
    factors(const fvec& a, std::int32_t n, const polar::pause_fn& pause = no_pause) : lu(a), indx(static_cast<std::size_t>(n)) {
        polar::ludcmp(lu, n, n, indx, d, pause);
    }
};

fvec inverse(const fvec& a, std::int32_t n, fvec y = {}, const polar::pause_fn& pause = no_pause) {
    y.resize(a.size());
    invert(a, n, y, pause);
    return y;
}

// Whatever y held on entry (not-a-numbers here) is overwritten. Order 150:
// the row scale factors and work storage are sized per call.
TEST(Inversion, IdentityDiagonalAndWhatYHeld) {
    for (std::int32_t n : {1, 2, 6}) EXPECT_EQ(inverse(diagonal(n, 1.0f), n, fvec(static_cast<std::size_t>(n * n), nan)), diagonal(n, 1.0f));
    EXPECT_EQ(inverse(diagonal(150, 2.0f), 150), diagonal(150, 0.5f));
    const fvec a = by_columns(3, {4, -2, 1, 3, 6, -4, 2, 1, 8});
    fvec from_zeros = inverse(a, 3, fvec(9, 0.0f)), from_junk = inverse(a, 3, fvec(9, nan));
    EXPECT_EQ(std::memcmp(from_zeros.data(), from_junk.data(), 9 * sizeof(float)), 0);
}

TEST(Inversion, PivotingAndTies) {
    struct pivot_case {
        fvec a;
        ivec indx;
        float d;
        fvec inverse;
    };
    const pivot_case cases[] = {
        // The 2 by 2 swap.
        {by_columns(2, {0, 1, 1, 0}), {2, 2}, -1.0f, by_columns(2, {0, 1, 1, 0})},
        // Scaled candidates 1 * 1/1 and 2 * 1/2 tie: the later row wins.
        {by_columns(2, {1, 1, 2, 1}), {2, 2}, -1.0f, by_columns(2, {-1, 1, 2, -1})},
    };
    for (const pivot_case& c : cases) {
        factors f(c.a, 2);
        EXPECT_EQ(f.indx, c.indx);
        EXPECT_EQ(f.d, c.d);
        EXPECT_EQ(inverse(c.a, 2), c.inverse);
    }
}

// A row's scale factor moves with it: after column 1 swaps rows 1 and 3, the
// old row 1 (scale 1/2) competes in column 2 with 0.5 * 1.75 against row 2's
// 0.2 * 2.75 and wins; with row 3's old scale (1/4) it would lose.
TEST(Inversion, ScaleFactorMovesWithItsRow) {
    factors f(by_columns(3, {1, 2, 0, 1, 3, 5, 4, 1, 0}), 3);
    EXPECT_EQ(f.indx, (ivec{3, 3, 3}));
    EXPECT_EQ(f.d, 1.0f);
}

TEST(Inversion, SingularWithoutZeroRowUsesTinyPivotSilently) {
    const fvec a = by_columns(2, {1, 2, 1, 2});
    factors f(a, 2);
    EXPECT_EQ(f.indx[0], 2);
    EXPECT_EQ(at(f.lu, 2, 2, 2), polar::tiny);
    fvec y = inverse(a, 2);
    EXPECT_FLOAT_EQ(at(y, 2, 1, 1), -2.0e20f);
    EXPECT_FLOAT_EQ(at(y, 2, 2, 1), 1.0e20f);
    EXPECT_EQ(a, by_columns(2, {1, 2, 1, 2}));  // the input is left alone
}

TEST(Inversion, LowerTimesUpperIsThePermutedInput) {
    const std::int32_t n = 5;
    const fvec a = by_columns(n, {2, -1, 0.5f, 3, 1, 7, 2, -3, 1, 0.25f, -1, 4, 2, 0, 5, 0.1f, 0.2f, 9, -2, 1, 3, 3, 1, 6, -7});
    factors f(a, n);
    // The recorded interchanges applied to the input, in order.
    fvec permuted = a;
    for (std::int32_t j = 1; j <= n; ++j) {
        std::int32_t r = f.indx[static_cast<std::size_t>(j - 1)];
        ASSERT_GE(r, j);
        for (std::int32_t k = 0; k < n; ++k)
            std::swap(permuted[static_cast<std::size_t>(k * n + j - 1)], permuted[static_cast<std::size_t>(k * n + r - 1)]);
    }
    for (std::int32_t i = 1; i <= n; ++i)
        for (std::int32_t j = 1; j <= n; ++j) {
            double sum = 0.0;
            for (std::int32_t k = 1; k <= std::min(i, j); ++k) sum += (k == i ? 1.0 : at(f.lu, n, i, k)) * at(f.lu, n, k, j);
            EXPECT_NEAR(sum, at(permuted, n, i, j), 1e-5) << i << "," << j;
        }
}

TEST(Inversion, BackSubstitutionSkipsLeadingZerosOfTheRightHandSide) {
    // With b = (0, 0, 1) only the last forward step does anything.
    fvec b = {0, 0, 1};
    polar::lubksb(by_columns(3, {2, 0, 0, 0.5f, 4, 0, 0.25f, 0.5f, 8}), 3, 3, ivec{1, 2, 3}, b);
    EXPECT_EQ(b, (fvec{0, 0, 0.125f}));
}

// Every row with no element above zero (zeros or not-a-numbers) pauses once
// and the inversion completes.
TEST(Inversion, EveryAllZeroRowPausesOnce) {
    pauses zero_row;
    fvec y = inverse(by_columns(3, {1, 2, 3, 0, 0, 0, 4, 5, 7}), 3, {}, zero_row.fn());
    EXPECT_EQ(zero_row.messages, std::vector<std::string>{"singular matrix"});
    // A zero pivot replaced by 1.0e-20: the inverse blows up.
    EXPECT_TRUE(std::any_of(y.begin(), y.end(), [](float v) { return !std::isfinite(v) || std::fabs(v) >= 1.0e19f; }));

    pauses nan_row;
    inverse(by_columns(2, {nan, nan, 1, 2}), 2, {}, nan_row.fn());
    EXPECT_EQ(nan_row.messages.size(), 1u);

    // A zero matrix: every scaled candidate is 0 * infinity, so no row wins
    // and every pivot stays on its row.
    pauses zero;
    factors f(fvec(9, 0.0f), 3, zero.fn());
    EXPECT_EQ(zero.messages.size(), 3u);
    EXPECT_EQ(f.indx, (ivec{1, 2, 3}));
    EXPECT_EQ(f.d, 1.0f);
}

}  // namespace
