// The element stresses "wstresses.out": one record per element of the
// element table, in its order: the stress along h (SIGH), along v (SIGZ) and
// the h-v shear (SIGHZ). An outside solver writes it, or stressimport from
// the solver's own print; stressmean and meshexport read it.
#pragma once

#include <string_view>

#include "records/run.hpp"

namespace layouts {

inline constexpr std::string_view element_stresses_file = "wstresses.out";
inline const records::record_format stress_format("(3E11.4)");

struct stress_record {
    float sh = 0.0f;
    float sz = 0.0f;
    float shz = 0.0f;
};

void write_stress(records::run& r, int unit, const stress_record& s);
void read_stress(records::run& r, int unit, stress_record& s);

}  // namespace layouts
