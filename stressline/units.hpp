// The units stressline connects its files to, each named once.
#pragma once

#include "records/unit_numbers.hpp"

namespace stressline::units {

// 5, 7 and 8 are the model reader's (mesh/model_reader.hpp).
inline constexpr records::output_unit wstressline_out{6};  // "wstressline.out", written

}  // namespace stressline::units
