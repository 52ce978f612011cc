// The composite's description as read from the first ten records of
// "polar.dat": texts, labels and the seven moduli and ratios.
#pragma once

#include <array>
#include <span>

#include "records/run.hpp"

namespace polar {

// Texts, one character per cell, as read column by column.
struct head1 {
    std::array<char, 50> title{};
    std::array<char, 25> mhead{};
    std::array<char, 50> fhead{};  // only its first 25 cells are ever printed
    std::array<char, 30> emlab{};
    std::array<char, 30> numlab{};
    std::array<char, 20> units{};
};

// Labels of the five fibre value lines; stored, never printed.
struct head2 {
    std::array<std::array<char, 40>, 5> flab{};
};

// Matrix and fibre constants.
struct mf {
    float em = 0.0f;    // matrix Young's modulus
    float num = 0.0f;   // matrix Poisson ratio
    float efl = 0.0f;   // fibre longitudinal Young's modulus
    float eft = 0.0f;   // fibre transverse Young's modulus
    float gflt = 0.0f;  // fibre shear modulus, longitudinal-transverse plane
    float gftt = 0.0f;  // fibre shear modulus, transverse plane
    float kftt = 0.0f;  // fibre plane-strain bulk modulus
};

struct material {
    head1 h1;
    head2 h2;
    mf m;
};

// Reads the ten material records from unit 5, leaving it at the eleventh.
void read_material(records::run& r, material& mat);

}  // namespace polar
