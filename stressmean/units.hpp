// The units stressmean connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace stressmean::units {

inline constexpr records::input_unit wstresses_out{5};  // "wstresses.out", read
inline constexpr records::output_unit wstressavg_out{6};  // "wstressavg.out", written

}  // namespace stressmean::units
