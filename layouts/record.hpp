// What the layouts share: a record type names its format and lists its
// fields in the order the format takes them,
//
//     static inline const records::record_format format{"(3E11.4)"};
//     static auto fields(auto& rec) { return std::tie(rec.sh, rec.sz, rec.shz); }
//
// so that one read and one write statement serve every layout, on both
// sides of its file.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <tuple>

#include "records/run.hpp"

namespace layouts {

// Reads one record of `Record`'s layout from the unit into `rec`.
template <typename Record>
void read_record(records::run& r, int unit, Record& rec) {
    std::apply([&](auto&... field) { r.read(unit, Record::format, field...); }, Record::fields(rec));
}

// Writes `rec` to the unit as one record of its layout.
template <typename Record>
void write_record(records::run& r, int unit, const Record& rec) {
    std::apply([&](const auto&... field) { r.write(unit, Record::format, field...); }, Record::fields(rec));
}

}  // namespace layouts
