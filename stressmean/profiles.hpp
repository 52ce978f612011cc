// The three stress profiles of stressmean, computed from the element
// stresses of the 2394-element model: the Z/H profile (SIGZ and SIGHZ at 95
// heights), the six-point Y/B profile of SIGZ near the free edge and the
// 26-point Y/B profile (SAZM and SAZT). Which records enter which mean is
// fixed by the model's element numbering.
//
// Arithmetic is single precision: every sum runs from the left in the order
// its terms are listed, every mean is that sum divided by 4, 3 or 2, and a
// mean inside another mean is rounded to single precision first.
#pragma once

#include <array>
#include <cstdint>

#include "layouts/stress_profiles.hpp"

namespace stressmean {

// Number of element records the solver writes for the model.
inline constexpr std::int32_t ne = 2394;

// One stress component of every element, indexed by record number 1 to ne;
// entry 0 is not used.
using stress_array = std::array<float, ne + 1>;

// The records of "wstressavg.out" the profiles fill.
using layouts::six_point_record;
using layouts::yb_record;
using layouts::zh_record;

// Z/H = i/96 for i = 1 to 95: the mean of the four records of the two
// slices that meet there.
std::array<zh_record, layouts::zh_records> zh_profile(const stress_array& sz, const stress_array& shz);

// SIGZ at Y/B = 0.9961, 0.9922, 0.9883, 0.9844, 0.9766 and 0.9531.
std::array<six_point_record, layouts::six_point_records> six_point_profile(const stress_array& sz);

// SAZM and SAZT at 26 positions from Y/B = 0.99609375 down to 0.015625.
std::array<yb_record, layouts::yb_records> yb_profile(const stress_array& sz);

}  // namespace stressmean
