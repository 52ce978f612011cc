// Text of the mesh picture that must fit the room it is given: a note or a
// legend line is broken at blanks into lines that fit a width, never cut.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plots/svg.hpp"

namespace meshplot {

// The lines of `text` at font size `size` within `width` picture units, on
// a generous estimate of the width of a character of the pictures' fonts;
// a word longer than a line stands on a line of its own.
std::vector<std::string> wrapped(std::string_view text, double size, double width);

// The room `text` takes at `size` within `width`: its lines times the line
// height.
double wrapped_height(std::string_view text, double size, double width);

// Writes the lines of `text` from the baseline at `at` downwards; returns
// the baseline after the last line.
double write_wrapped(plots::svg_document& svg, plots::point at, std::string_view text, double size, double width,
                     std::string_view style);

}  // namespace meshplot
