// The units stressline connects its files to, each named once.
#pragma once

namespace stressline::units {

// 5, 7 and 8 are the model reader's (mesh/model_reader.hpp).
inline constexpr int wstressline_out = 6;  // "wstressline.out", written

}  // namespace stressline::units
