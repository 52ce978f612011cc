// The units meshplot connects its files to, each named once.
#pragma once

namespace meshplot::units {

inline constexpr int wnodes_out = 5;  // the node table, read
inline constexpr int wtopo_out = 7;  // the element table, read

}  // namespace meshplot::units
