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

namespace stressmean {

// Number of element records the solver writes for the model.
inline constexpr std::int32_t ne = 2394;

// One stress component of every element, indexed by record number 1 to ne;
// entry 0 is not used.
using stress_array = std::array<float, ne + 1>;

struct zh_record {
    std::int32_t i;   // output record number, 1 to 95
    float esavgz;     // SIGZ
    float zdh;        // Z/H
    float esavghz;    // SIGHZ
};

struct six_point_record {
    std::int32_t j;  // 1 to 6
    float ydb;       // Y/B
    float saz;       // SIGZ
};

struct yb_record {
    std::int32_t i;  // 1 to 26
    float ydb;       // Y/B
    float sazm;      // SAZM
    float sazt;      // SAZT
};

// Z/H = i/96 for i = 1 to 95: the mean of the four records of the two
// slices that meet there.
std::array<zh_record, 95> zh_profile(const stress_array& sz, const stress_array& shz);

// SIGZ at Y/B = 0.9961, 0.9922, 0.9883, 0.9844, 0.9766 and 0.9531.
std::array<six_point_record, 6> six_point_profile(const stress_array& sz);

// SAZM and SAZT at 26 positions from Y/B = 0.99609375 down to 0.015625.
std::array<yb_record, 26> yb_profile(const stress_array& sz);

}  // namespace stressmean
