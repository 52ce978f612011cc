// What the writers of the three mesh files share: a line of text with
// numbers in it, and the model's elements grouped by type code.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "meshexport/mesh_writers.hpp"
#include "records/run.hpp"

namespace meshexport {

// A line of text in which each '#' stands for a number written with exactly
// its digits: line(r, u, "<Piece NumberOfPoints=\"#\">", {72}).
void line(records::run& r, int unit, std::string_view pattern, std::initializer_list<std::int32_t> numbers = {});

inline std::int32_t count(std::size_t n) { return static_cast<std::int32_t>(n); }

// The type codes of the model, ascending, each once.
std::vector<std::int32_t> type_codes(const mesh& m);

// Positions of the elements, grouped by type code in the order of
// type_codes(), table order within a group.
std::vector<std::uint32_t> by_type(const mesh& m);

}  // namespace meshexport
