// Inversion of a square real matrix by LU decomposition with partial
// pivoting (Crout's method with implicit row scaling), then one forward and
// back substitution per column of the identity.
//
// Matrices are stored by columns and indexed from 1: element (i,j) of a
// matrix with leading dimension np lives at offset (j-1)*np + (i-1). Every
// access is checked against the storage it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "polar/column_matrix.hpp"

namespace polar {

// Told once for every all-zero row that ludcmp meets, with the row's number
// (from 1); the decomposition goes on when it returns. The program notes the
// rows and pauses the run for each of them when its report reaches the point
// between the stiffness and the compliance.
using pause_fn = std::function<void(std::string_view message, std::int32_t row)>;

// 1.0e-20 in single precision: stands in for a pivot that came out exactly 0.
inline constexpr float tiny = 1.0e-20f;

// Replaces the n by n part of a (leading dimension np) by its LU factors of
// the row-permuted matrix: U on and above the diagonal, L below it without
// its unit diagonal. indx(j) records the row interchanged with row j at
// step j; d becomes +1.0 or -1.0, the parity of the interchanges.
void ludcmp(std::span<float> a, std::int32_t n, std::int32_t np, std::span<std::int32_t> indx, float& d,
            const pause_fn& pause);

// Solves with the factors from ludcmp: b holds the right-hand side on entry
// and the solution on return.
void lubksb(std::span<const float> a, std::int32_t n, std::int32_t np, std::span<const std::int32_t> indx,
            std::span<float> b);

// y = inverse of the n by n matrix a, both stored n by n. a is left unchanged
// and y is overwritten whatever it held.
void invert(std::span<const float> a, std::int32_t n, std::span<float> y, const pause_fn& pause);

}  // namespace polar
