// The three stress profiles of "wstressavg.out": 95 Z/H records, 6 records
// of SIGZ near Y/B = 1 and 26 Y/B records, read with the layouts that
// stressmean writes them in.
#pragma once

#include <array>

#include "layouts/stress_profiles.hpp"
#include "records/run.hpp"

namespace profileplot {

struct profile_tables {
    std::array<float, layouts::zh_records> zdh{};
    std::array<float, layouts::zh_records> sigz{};
    std::array<float, layouts::zh_records> sighz{};
    std::array<float, layouts::six_point_records> edge_ydb{};
    std::array<float, layouts::six_point_records> edge_sigz{};
    std::array<float, layouts::yb_records> ydb{};
    std::array<float, layouts::yb_records> sazm{};
    std::array<float, layouts::yb_records> sazt{};
};

// Opens and reads "wstressavg.out"; a missing file, a malformed field, a
// missing record, a record that ends before its last field or a last line
// without its line feed ends the run through the record layer. Blank lines
// are no records.
profile_tables read_profile_tables(records::run& r);

}  // namespace profileplot
