// The element table "wtopo.out": one record per element, its number, its
// three node numbers, the angle and the type code. topo writes it;
// meshplot, meshexport and stressimport read it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "records/run.hpp"

namespace layouts {

inline constexpr std::string_view element_table_file = "wtopo.out";
inline const records::record_format element_format("(4I6,F8.2,I3)");

struct element_record {
    std::int32_t number = 0;
    std::array<std::int32_t, 3> nodes{};
    float angle = 0.0f;
    std::int32_t type = 0;
};

void write_element(records::run& r, int unit, const element_record& e);
void read_element(records::run& r, int unit, element_record& e);

}  // namespace layouts
