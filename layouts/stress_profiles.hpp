// The stress profiles "wstressavg.out": 95 Z/H records (SIGZ and SIGHZ at
// Z/H = i/96), then 6 records of SIGZ near the free edge Y/B = 1, then 26 Y/B
// records (SAZM and SAZT). stressmean writes it; profileplot reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "records/run.hpp"

namespace layouts {

inline constexpr std::string_view stress_profiles_file = "wstressavg.out";

inline constexpr std::size_t zh_records = 95;
inline const records::record_format zh_format("(1X,' I=',I2,' SIGZ=',E10.3,' Z/H=',F6.4,' SIGHZ=',E10.3)");

struct zh_record {
    std::int32_t i = 0;    // record number, 1 to 95
    float esavgz = 0.0f;   // SIGZ
    float zdh = 0.0f;      // Z/H
    float esavghz = 0.0f;  // SIGHZ
};

inline constexpr std::size_t six_point_records = 6;
inline const records::record_format six_point_format("(1X,' I=',I2,' Y/B=',F6.4,' SIGZ=',E10.3)");

struct six_point_record {
    std::int32_t j = 0;  // 1 to 6
    float ydb = 0.0f;    // Y/B
    float saz = 0.0f;    // SIGZ
};

inline constexpr std::size_t yb_records = 26;
inline const records::record_format yb_format("(1X,' I=',I2,' Y/B=',F6.4,' SAZM=',E10.3,' SAZT=',E10.3)");

struct yb_record {
    std::int32_t i = 0;  // 1 to 26
    float ydb = 0.0f;    // Y/B
    float sazm = 0.0f;   // SAZM
    float sazt = 0.0f;   // SAZT
};

void write_zh(records::run& r, int unit, const zh_record& rec);
void read_zh(records::run& r, int unit, zh_record& rec);
void write_six_point(records::run& r, int unit, const six_point_record& rec);
void read_six_point(records::run& r, int unit, six_point_record& rec);
void write_yb(records::run& r, int unit, const yb_record& rec);
void read_yb(records::run& r, int unit, yb_record& rec);

}  // namespace layouts
