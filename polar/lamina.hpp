// Effective elastic properties of a unidirectional fibre composite: from an
// isotropic matrix, a transversely isotropic fibre and a fibre volume
// fraction to five independent constants, the 6 by 6 stiffness matrix and,
// through its inverse, the compliance matrix.
//
// Matrix axes: index 3 is the fibre direction, 1 and 2 the transverse
// directions, 4 and 5 longitudinal shear and 6 transverse shear.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "polar/material.hpp"

namespace polar {

// 6 by 6, stored by columns: element (i,j) at index (j-1)*6 + (i-1).
using matrix6 = std::array<float, 36>;

// Element (i,j), i and j from 1 to 6.
float& el(matrix6& m, int i, int j);
float el(const matrix6& m, int i, int j);

// Matrix and fibre constants that do not depend on the volume fraction.
struct constituent_constants {
    float gm = 0.0f;     // matrix shear modulus
    float lm = 0.0f;     // matrix Lame constant
    float km = 0.0f;     // matrix plane-strain bulk modulus
    float nuftt = 0.0f;  // fibre Poisson ratio in the transverse plane
    float cal = 0.0f;    // square of the fibre longitudinal Poisson ratio
    float nuflt = 0.0f;  // fibre longitudinal Poisson ratio
};

// Engineering constants of the composite (fibre direction 1).
struct composite_constants {
    float vm = 0.0f;                           // matrix volume fraction, 1 - vf
    float e11 = 0.0f, e22 = 0.0f, e33 = 0.0f;  // Young's moduli
    float g12 = 0.0f, g13 = 0.0f, g23 = 0.0f;  // shear moduli
    float nu12 = 0.0f, nu13 = 0.0f, nu23 = 0.0f, nu21 = 0.0f, nu31 = 0.0f, nu32 = 0.0f;  // Poisson ratios
    float k23 = 0.0f;                          // plane-strain bulk modulus
    float psi = 0.0f;                          // 1 + 4 k23 nu12^2 / e11
};

constituent_constants constituents(const mf& m);
composite_constants composite(const mf& m, const constituent_constants& k, float vf);
// Fills every element of c: the stiffness of the composite.
void stiffness(const composite_constants& p, matrix6& c);

// A row of the stiffness that the inversion found all zero (or not a
// number), with what the inversion says of it.
struct zero_row {
    std::string message;
    std::int32_t row = 0;
};

// Everything the property report of one volume fraction shows.
struct lamina {
    float vf = 0.0f;
    constituent_constants constituents;
    composite_constants composite;
    matrix6 c{};  // stiffness
    matrix6 s{};  // compliance, the inverse of c
    std::vector<zero_row> zero_rows;  // in the order the inversion met them
};

// The properties of the composite with fibre volume fraction vf: the
// constants, the stiffness and its inverse, computed without a pause; each
// all-zero row of the stiffness is noted for the report.
lamina lamina_properties(const mf& m, float vf);

}  // namespace polar
