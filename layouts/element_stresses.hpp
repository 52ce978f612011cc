// The element stresses "wstresses.out": one record per element of the
// element table, in its order. An outside solver writes it, or stressimport
// from the solver's own print; stressmean and meshexport read it.
#pragma once

#include "layouts/record.hpp"

namespace layouts {

inline constexpr std::string_view element_stresses_file = "wstresses.out";

struct stress_record {
    static inline const records::record_format format{"(3E11.4)"};
    // The stress along h (SIGH), along v (SIGZ) and the h-v shear (SIGHZ).
    float sh = 0.0f, sz = 0.0f, shz = 0.0f;
    static constexpr std::string_view last_field_name = "the shear stress";
    static constexpr std::array<std::string_view, 3> field_names{"SH", "SZ", "SHZ"};
    static auto fields(auto& s) { return std::tie(s.sh, s.sz, s.shz); }
};

}  // namespace layouts
