// What is no material: constants and volume fractions for which the lamina
// formulas give no composite. Such an input is refused as a whole before the
// report begins, rather than run into negative moduli or not-a-numbers.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "polar/material.hpp"
#include "records/run.hpp"

namespace polar {

// The first fault of the material and the three volume fractions, taken in
// the order of their records, as the diagnostic names it ("polar.dat, record
// 11, columns 24-28: ..."); none when the run may go on.
std::optional<std::string> no_material(const mf& m, std::span<const float> vfk);

// Ends the run with that fault, status 1, when there is one.
void refuse_what_is_no_material(records::run& r, const mf& m, std::span<const float> vfk);

}  // namespace polar
