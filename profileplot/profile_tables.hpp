// The three stress profiles of "wstressavg.out": 95 Z/H records, 6 records
// of SIGZ near Y/B = 1 and 26 Y/B records, read with the layouts that
// stressmean writes them in.
#pragma once

#include <array>

#include "records/run.hpp"

namespace profileplot {

struct profile_tables {
    std::array<float, 95> zdh{};
    std::array<float, 95> sigz{};
    std::array<float, 95> sighz{};
    std::array<float, 6> edge_ydb{};
    std::array<float, 6> edge_sigz{};
    std::array<float, 26> ydb{};
    std::array<float, 26> sazm{};
    std::array<float, 26> sazt{};
};

// Opens and reads "wstressavg.out"; a missing file, a malformed field or a
// missing record ends the run through the record layer.
profile_tables read_profile_tables(records::run& r);

}  // namespace profileplot
