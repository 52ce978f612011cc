#include "stressmean/profiles.hpp"

namespace stressmean {

namespace {

// Means of two, three and four values, each sum formed from the left.
float mean2(float a, float b) {
    float sum = a + b;
    return sum / 2.0f;
}

float mean3(float a, float b, float c) {
    float sum = a + b;
    sum = sum + c;
    return sum / 3.0f;
}

float mean4(float a, float b, float c, float d) {
    float sum = a + b;
    sum = sum + c;
    sum = sum + d;
    return sum / 4.0f;
}

// The four records of two consecutive slices, starting at record j.
float window4(const stress_array& s, std::int32_t j) { return mean4(s[j], s[j + 1], s[j + 2], s[j + 3]); }

// Z/H of output record i: i/96, formed as (i * 0.125) / 12.
float zh_of(std::int32_t i) {
    float scaled = static_cast<float>(i) * 0.125f;
    return scaled / 12.0f;
}

// One value of the 26-point profile: a single record (second == 0) or the
// mean of two, first + second.
struct term {
    std::int32_t first;
    std::int32_t second;
};

float value_of(const stress_array& sz, term t) {
    if (t.second == 0) return sz[t.first];
    return mean2(sz[t.first], sz[t.second]);
}

// The 26-point profile: Y/B = c / 16, then the records of SAZM and SAZT.
struct yb_row {
    float c;
    term sazm;
    term sazt;
};

constexpr std::array<yb_row, 26> yb_table{{
    //   c        sazm            sazt
    {15.9375f, {2394, 2393}, {1975, 1976}},  //  1
    {15.875f,  {2298, 2394}, {1903, 1975}},  //  2
    {15.625f,  {2225, 0},    {1807, 0}},     //  3
    {15.25f,   {2128, 0},    {1747, 0}},     //  4
    {14.75f,   {1188, 0},    {1214, 0}},     //  5
    {14.25f,   {1185, 0},    {1209, 0}},     //  6
    {13.5f,    {1180, 1181}, {1206, 1207}},  //  7
    {12.5f,    {1177, 0},    {1203, 0}},     //  8
    {11.5f,    {1174, 0},    {1200, 0}},     //  9
    {10.5f,    {1170, 1171}, {1196, 1197}},  // 10
    {9.75f,    {1167, 0},    {1191, 0}},     // 11
    {9.25f,    {1163, 0},    {1189, 0}},     // 12
    {8.75f,    {1085, 0},    {901, 0}},      // 13
    {8.25f,    {1081, 0},    {897, 0}},      // 14
    {7.75f,    {795, 0},     {609, 0}},      // 15
    {7.25f,    {791, 0},     {605, 0}},      // 16
    {6.75f,    {896, 0},     {26, 0}},       // 17
    {6.25f,    {893, 0},     {21, 0}},       // 18
    {5.5f,     {888, 889},   {18, 19}},      // 19
    {4.5f,     {885, 0},     {15, 0}},       // 20
    {3.5f,     {882, 0},     {12, 0}},       // 21
    {2.5f,     {878, 879},   {8, 9}},        // 22
    {1.75f,    {875, 0},     {3, 0}},        // 23
    {1.25f,    {871, 0},     {1, 0}},        // 24
    {0.75f,    {291, 0},     {105, 0}},      // 25
    {0.25f,    {287, 0},     {101, 0}},      // 26
}};

// Every record the table names lies within the model.
constexpr bool table_in_range() {
    auto ok = [](term t) { return t.first >= 1 && t.first <= ne && t.second >= 0 && t.second <= ne; };
    for (const yb_row& row : yb_table)
        if (!ok(row.sazm) || !ok(row.sazt)) return false;
    return true;
}
static_assert(table_in_range());

}  // namespace

std::array<zh_record, layouts::zh_records> zh_profile(const stress_array& sz, const stress_array& shz) {
    std::array<zh_record, layouts::zh_records> out{};
    // First column of slices: records 1975 to 2070, two per slice.
    for (std::int32_t i = 1; i <= 47; ++i) {
        std::int32_t j = 1975 + 2 * (i - 1);
        out[i - 1] = {i, window4(sz, j), zh_of(i), window4(shz, j)};
    }
    // Mid-height: the last slice of the first column with the first slice of
    // the second.
    {
        const std::int32_t i1 = 2069;
        const std::int32_t i2 = 2299;
        float esavgz = mean4(sz[i1], sz[i1 + 1], sz[i2], sz[i2 + 1]);
        float esavghz = mean4(shz[i1], shz[i1 + 1], shz[i2], shz[i2 + 1]);
        out[47] = {48, esavgz, 6.0f / 12.0f, esavghz};
    }
    // Second column of slices: records 2299 to 2394.
    for (std::int32_t i = 49; i <= 95; ++i) {
        std::int32_t j = 2299 + 2 * (i - 49);
        out[i - 1] = {i, window4(sz, j), zh_of(i), window4(shz, j)};
    }
    return out;
}

std::array<six_point_record, layouts::six_point_records> six_point_profile(const stress_array& sz) {
    std::array<float, 7> saz{};
    saz[1] = mean4(sz[2069], sz[2070], sz[2299], sz[2300]);
    saz[2] = mean4(sz[1974], sz[2070], sz[2299], sz[2227]);
    saz[3] = mean3(sz[1973], mean2(sz[1974], sz[2227]), sz[2228]);
    saz[4] = mean4(saz[2], mean2(sz[1901], sz[2131]), mean2(sz[1902], sz[1973]), mean2(sz[2134], sz[2228]));
    saz[5] = mean2(mean4(sz[1899], sz[1900], sz[1901], sz[1902]), mean4(sz[2131], sz[2132], sz[2133], sz[2134]));
    saz[6] = mean2(mean4(sz[1802], sz[1803], sz[1804], mean2(sz[1805], sz[1806])),
                   mean4(sz[2071], sz[2072], sz[2073], mean2(sz[2074], sz[2075])));

    constexpr std::array<float, 7> ydb{0.0f, 0.9961f, 0.9922f, 0.9883f, 0.9844f, 0.9766f, 0.9531f};
    std::array<six_point_record, layouts::six_point_records> out{};
    for (std::int32_t j = 1; j <= 6; ++j) out[j - 1] = {j, ydb[j], saz[j]};
    return out;
}

std::array<yb_record, layouts::yb_records> yb_profile(const stress_array& sz) {
    std::array<yb_record, layouts::yb_records> out{};
    for (std::int32_t i = 1; i <= 26; ++i) {
        const yb_row& row = yb_table[i - 1];
        out[i - 1] = {i, row.c / 16.0f, value_of(sz, row.sazm), value_of(sz, row.sazt)};
    }
    return out;
}

}  // namespace stressmean
