// The property report of one volume fraction, written to "polar.out" from
// properties computed beforehand.
#pragma once

#include "polar/lamina.hpp"
#include "polar/material.hpp"
#include "records/run.hpp"

namespace polar {

// Writes the 59-record property report of l to unit 6. The run pauses once
// for each noted zero row, after the stiffness and before the compliance.
void write_property_report(records::run& r, const material& mat, const lamina& l);

}  // namespace polar
