// The stress profiles "wstressavg.out": 95 Z/H records (SIGZ and SIGHZ at
// Z/H = i/96), then 6 records of SIGZ near the free edge Y/B = 1, then 26 Y/B
// records (SAZM and SAZT). stressmean writes it; profileplot reads it.
#pragma once

#include <cstddef>

#include "layouts/record.hpp"

namespace layouts {

inline constexpr std::string_view stress_profiles_file = "wstressavg.out";
inline constexpr std::size_t zh_records = 95;
inline constexpr std::size_t six_point_records = 6;
inline constexpr std::size_t yb_records = 26;

struct zh_record {
    static inline const records::record_format format{"(1X,' I=',I2,' SIGZ=',E10.3,' Z/H=',F6.4,' SIGHZ=',E10.3)"};
    std::int32_t i = 0;                               // 1 to 95
    float esavgz = 0.0f, zdh = 0.0f, esavghz = 0.0f;  // SIGZ, Z/H, SIGHZ
    static constexpr std::string_view last_field_name = "SIGHZ";
    static constexpr std::array<std::string_view, 4> field_names{"I", "SIGZ", "Z/H", "SIGHZ"};
    static auto fields(auto& rec) { return std::tie(rec.i, rec.esavgz, rec.zdh, rec.esavghz); }
};

struct six_point_record {
    static inline const records::record_format format{"(1X,' I=',I2,' Y/B=',F6.4,' SIGZ=',E10.3)"};
    std::int32_t j = 0;                 // 1 to 6
    float ydb = 0.0f, saz = 0.0f;       // Y/B, SIGZ
    static constexpr std::string_view last_field_name = "SIGZ";
    static constexpr std::array<std::string_view, 3> field_names{"I", "Y/B", "SIGZ"};
    static auto fields(auto& rec) { return std::tie(rec.j, rec.ydb, rec.saz); }
};

struct yb_record {
    static inline const records::record_format format{"(1X,' I=',I2,' Y/B=',F6.4,' SAZM=',E10.3,' SAZT=',E10.3)"};
    std::int32_t i = 0;             // 1 to 26
    float ydb = 0.0f;               // Y/B
    float sazm = 0.0f, sazt = 0.0f; // SAZM, SAZT
    static constexpr std::string_view last_field_name = "SAZT";
    static constexpr std::array<std::string_view, 4> field_names{"I", "Y/B", "SAZM", "SAZT"};
    static auto fields(auto& rec) { return std::tie(rec.i, rec.ydb, rec.sazm, rec.sazt); }
};

}  // namespace layouts
