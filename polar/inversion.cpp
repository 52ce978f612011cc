#include "polar/inversion.hpp"

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace polar {

namespace {

// Element k (from 1) of a vector, checked.
template <typename T>
T& at(std::span<T> v, std::int32_t k) {
    if (k < 1 || static_cast<std::size_t>(k) > v.size()) throw std::out_of_range("vector element outside its storage");
    return v[static_cast<std::size_t>(k - 1)];
}

}  // namespace

void ludcmp(std::span<float> a_store, std::int32_t n, std::int32_t np, std::span<std::int32_t> indx, float& d,
            const pause_fn& pause) {
    column_matrix<float> a(a_store, np);
    // One scale factor per row, sized for this order.
    std::vector<float> vv_store(n > 0 ? static_cast<std::size_t>(n) : 0u);
    std::span<float> vv(vv_store);

    d = 1.0f;
    for (std::int32_t i = 1; i <= n; ++i) {
        float aamax = 0.0f;
        for (std::int32_t j = 1; j <= n; ++j)
            if (std::fabs(a(i, j)) > aamax) aamax = std::fabs(a(i, j));
        if (aamax == 0.0f) pause("singular matrix", i);
        at(vv, i) = 1.0f / aamax;
    }

    for (std::int32_t j = 1; j <= n; ++j) {
        for (std::int32_t i = 1; i <= j - 1; ++i) {
            float sum = a(i, j);
            for (std::int32_t k = 1; k <= i - 1; ++k) sum = sum - a(i, k) * a(k, j);
            a(i, j) = sum;
        }

        // Largest scaled candidate; a tie goes to the later row. When every
        // candidate is NaN no comparison succeeds and the pivot stays on row j.
        float aamax = 0.0f;
        std::int32_t imax = j;
        for (std::int32_t i = j; i <= n; ++i) {
            float sum = a(i, j);
            for (std::int32_t k = 1; k <= j - 1; ++k) sum = sum - a(i, k) * a(k, j);
            a(i, j) = sum;
            float dum = at(vv, i) * std::fabs(sum);
            if (dum >= aamax) {
                imax = i;
                aamax = dum;
            }
        }

        if (j != imax) {
            for (std::int32_t k = 1; k <= n; ++k) std::swap(a(imax, k), a(j, k));
            d = -d;
            // The scale factor moves with its row; row j is done with pivoting.
            at(vv, imax) = at(vv, j);
        }
        at(indx, j) = imax;
        if (a(j, j) == 0.0f) a(j, j) = tiny;
        if (j != n) {
            float dum = 1.0f / a(j, j);
            for (std::int32_t i = j + 1; i <= n; ++i) a(i, j) = a(i, j) * dum;
        }
    }
}

void lubksb(std::span<const float> a_store, std::int32_t n, std::int32_t np, std::span<const std::int32_t> indx,
            std::span<float> b) {
    column_matrix<const float> a(a_store, np);

    // Forward substitution, unscrambling the permutation as it goes; sums
    // start at the first non-zero element of the right-hand side.
    std::int32_t ii = 0;
    for (std::int32_t i = 1; i <= n; ++i) {
        std::int32_t ll = at(indx, i);
        float sum = at(b, ll);
        at(b, ll) = at(b, i);
        if (ii != 0) {
            for (std::int32_t j = ii; j <= i - 1; ++j) sum = sum - a(i, j) * at(b, j);
        } else if (sum != 0.0f) {
            ii = i;
        }
        at(b, i) = sum;
    }

    for (std::int32_t i = n; i >= 1; --i) {
        float sum = at(b, i);
        for (std::int32_t j = i + 1; j <= n; ++j) sum = sum - a(i, j) * at(b, j);
        at(b, i) = sum / a(i, i);
    }
}

void invert(std::span<const float> a_store, std::int32_t n, std::span<float> y_store, const pause_fn& pause) {
    if (n <= 0) return;
    std::size_t order = static_cast<std::size_t>(n);
    // Work storage for this call only, sized for its order.
    std::vector<float> aa_store(order * order);
    std::vector<std::int32_t> indx(order);
    column_matrix<const float> a(a_store, n);
    column_matrix<float> aa(aa_store, n);
    column_matrix<float> y(y_store, n);

    for (std::int32_t i = 1; i <= n; ++i)
        for (std::int32_t j = 1; j <= n; ++j) aa(i, j) = a(i, j);
    for (std::int32_t j = 1; j <= n; ++j)
        for (std::int32_t i = 1; i <= n; ++i) y(i, j) = 0.0f;
    for (std::int32_t i = 1; i <= n; ++i) y(i, i) = 1.0f;

    float d = 0.0f;
    ludcmp(aa_store, n, n, indx, d, pause);
    for (std::int32_t j = 1; j <= n; ++j) {
        // Column j of y, checked like any element access.
        (void)y(n, j);
        std::span<float> column = y_store.subspan(static_cast<std::size_t>(j - 1) * order, order);
        lubksb(aa_store, n, n, indx, column);
    }
}

}  // namespace polar
