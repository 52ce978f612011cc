// The line a run samples, as its arguments give it: H1 V1 H2 V2 [POINTS].
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace stressline {

inline constexpr std::int32_t default_points = 101;

struct line {
    float h1 = 0.0f, v1 = 0.0f;  // the first point
    float h2 = 0.0f, v2 = 0.0f;  // the last point
    std::int32_t points = default_points;
};

// Reads the four coordinates and the optional count of points into `l`.
// Returns what is wrong with the first faulty argument, naming it, or
// nothing: a coordinate that is not a finite number or that F12.6 cannot
// write; a count that is not a whole number, fewer than 2 or more than the
// I6 point numbers hold; a line too long for its distances to fit F12.6.
std::string read_line_arguments(std::span<char* const> arguments, line& l);

}  // namespace stressline
