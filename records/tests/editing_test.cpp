// Field editing: output of Iw, Fw.d, Ew.d and Aw, input of Iw, Fw.d and Ew.d.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "records/input_editing.hpp"
#include "records/output_editing.hpp"

namespace {

using records::field_status;

constexpr float inf = std::numeric_limits<float>::infinity();
const float nan = std::numeric_limits<float>::quiet_NaN();

TEST(OutputEditing, Integers) {
    struct c { std::int32_t v; int w; const char* out; };
    const c cases[] = {
        {0, 1, "0"},     {7, 3, "  7"},   {-99, 3, "-99"}, {-100, 3, "***"}, {1000, 3, "***"},
        {10, 1, "*"},    {-1, 1, "*"},    {17, 6, "    17"},
        {INT32_MIN, 11, "-2147483648"},   {INT32_MIN, 10, "**********"}, {INT32_MAX, 10, "2147483647"},
        // Each side of a power of ten, where the digit count changes.
        {9, 1, "9"},     {-9, 2, "-9"},   {-10, 2, "**"},  {99999, 5, "99999"}, {100000, 5, "*****"},
        {100000, 6, "100000"},            {999999999, 9, "999999999"},    {1000000000, 9, "*********"},
        {1000000000, 10, "1000000000"},
    };
    for (const auto& k : cases) {
        std::string out;
        records::put_integer(out, k.v, k.w);
        EXPECT_EQ(out, k.out) << k.v << " I" << k.w;
    }
}

// A field stepped from one number to another holds what editing the second
// number gives, or is left alone: across one carry and more, the field widths, the
// numbers too wide for their field and the negative ones.
TEST(OutputEditing, IntegersSteppedInPlace) {
    const std::int32_t starts[] = {0, 1, 5, 8, 9, 10, 18, 19, 89, 98, 99, 100, 12340, 12345, 99995, 99999, 999990,
                                   2147483640, 2147483645, -1, -10, -12345, INT32_MIN};
    int stepped = 0;
    for (int width : {1, 2, 5, 6, 11}) {
        for (std::int32_t from : starts) {
            for (std::int64_t step : {-1, 0, 1, 2, 7, 9, 10, 100}) {
                std::int64_t wide = from + step;
                if (wide < INT32_MIN || wide > INT32_MAX) continue;
                auto to = static_cast<std::int32_t>(wide);
                std::string field;
                records::put_integer(field, from, width);
                std::string expected;
                records::put_integer(expected, to, width);
                std::string before = field;
                if (records::step_integer(field.data(), from, to, width)) {
                    ++stepped;
                    EXPECT_EQ(field, expected) << from << " to " << to << " I" << width;
                } else {
                    EXPECT_EQ(field, before) << from << " to " << to << " I" << width;
                }
            }
        }
    }
    EXPECT_GT(stepped, 50);
}

struct real_case {
    char kind;
    int w, d;
    float v;
    const char* out;
};

TEST(OutputEditing, Reals) {
    const real_case cases[] = {
        // F: optional 0 written when there is room, dropped when there is not.
        {'F', 12, 6, 0.0f, "    0.000000"},
        {'F', 12, 6, 12.0f, "   12.000000"},
        {'F', 12, 6, 123.456f, "  123.456001"},
        {'F', 12, 6, 0.1f, "    0.100000"},
        {'F', 5, 2, 123.456f, "*****"},
        {'F', 5, 2, 0.5f, " 0.50"},
        {'F', 4, 2, -0.5f, "-.50"},
        {'F', 3, 2, -0.5f, "***"},
        {'F', 4, 2, 0.5f, "0.50"},
        {'F', 3, 2, 0.5f, ".50"},
        {'F', 5, 2, 99.994f, "99.99"},
        {'F', 5, 2, 99.996f, "*****"},
        {'F', 8, 2, 45.0f, "   45.00"},
        {'F', 6, 4, 0.0104166670f, "0.0104"},
        {'F', 6, 4, 0.99609375f, "0.9961"},
        // Sign bit: negatives that round to zero and negative zero keep the minus.
        {'F', 5, 2, -0.001f, "-0.00"},
        {'F', 5, 2, -0.0f, "-0.00"},
        // Ties (to even) are the round trip's.
        {'F', 4, 0, 3.0f, "  3."},
        {'F', 5, 2, inf, "  Inf"},
        {'F', 8, 2, inf, "Infinity"},
        {'F', 9, 2, -inf, "-Infinity"},
        {'F', 8, 2, -inf, "    -Inf"},
        {'F', 3, 2, -inf, "***"},
        {'F', 2, 1, inf, "**"},
        {'F', 5, 2, nan, "  NaN"},
        {'F', 2, 1, nan, "**"},
        // E: mantissa 0.d1..dd, two exponent digits, carry into the exponent.
        {'E', 10, 3, 0.0f, " 0.000E+00"},
        {'E', 10, 3, -0.00123f, "-0.123E-02"},
        {'E', 10, 3, 0.99996f, " 0.100E+01"},
        {'E', 11, 4, 1234.56f, " 0.1235E+04"},
        {'E', 11, 4, -1234.56f, "-0.1235E+04"},
        {'E', 12, 5, 1.0f, " 0.10000E+01"},
        {'E', 10, 3, 360.0f, " 0.360E+03"},
        // Magnitudes of 10^d and more: ties to even, and a carry into the
        // exponent.
        {'E', 10, 3, 12350.0f, " 0.124E+05"},
        {'E', 10, 3, 12250.0f, " 0.122E+05"},
        {'E', 10, 3, -99950.0f, "-0.100E+06"},
        {'E', 11, 4, 12345.678f, " 0.1235E+05"},
        {'E', 11, 4, 2.5e8f, " 0.2500E+09"},
        {'E', 11, 4, 1.0e19f, " 0.1000E+20"},
        {'E', 14, 6, 8.5e30f, "  0.850000E+31"},
        {'E', 11, 4, 6.28318548f, " 0.6283E+01"},
        {'E', 10, 3, 0.125f, " 0.125E+00"},
        {'E', 10, 3, 0.1245f, " 0.124E+00"},
        {'E', 10, 3, -0.0f, "-0.000E+00"},
        {'E', 10, 3, std::numeric_limits<float>::max(), " 0.340E+39"},
        {'E', 10, 3, std::numeric_limits<float>::denorm_min(), " 0.140E-44"},
        {'E', 9, 3, -1.0f, "-.100E+01"},
        {'E', 8, 3, -1.0f, "********"},
        {'E', 10, 3, -inf, " -Infinity"},
        {'E', 10, 3, nan, "       NaN"},
    };
    for (const auto& k : cases) {
        std::string out;
        if (k.kind == 'F') records::put_fixed(out, k.v, k.w, k.d);
        else records::put_exponent(out, k.v, k.w, k.d);
        EXPECT_EQ(out, k.out) << k.kind << k.w << "." << k.d << " of " << k.v;
    }
}

TEST(OutputEditing, Characters) {
    std::string out;
    records::put_character(out, 'x', 1);
    records::put_character(out, 'y', 3);
    EXPECT_EQ(out, "x  y");
}

TEST(InputEditing, Integers) {
    struct c { const char* field; field_status status; std::int32_t v; };
    const c cases[] = {
        {"  7", field_status::ok, 7},      {"7  ", field_status::ok, 7},     {" 7 ", field_status::ok, 7},
        {"   ", field_status::ok, 0},      {" -5", field_status::ok, -5},    {"1 2", field_status::ok, 12},
        {"+12", field_status::ok, 12},     {"  -", field_status::ok, 0},     {"+", field_status::ok, 0},
        {"", field_status::ok, 0},         {"007", field_status::ok, 7},
        {"-2147483648", field_status::ok, INT32_MIN},
        {"2147483647", field_status::ok, INT32_MAX},
        {"2147483648", field_status::out_of_range, 0},
        {"99999999999999999999", field_status::out_of_range, 0},
        {"-2147483649", field_status::out_of_range, 0},  {"- 5", field_status::ok, -5},
        {"99999999999999999999a", field_status::invalid, 0},
        {"1.0", field_status::invalid, 0}, {"12a", field_status::invalid, 0}, {"--1", field_status::invalid, 0},
        {"1-", field_status::invalid, 0},  {"1\t", field_status::invalid, 0},
        // Up to 9 characters, and just past them.
        {"999999999", field_status::ok, 999999999}, {"9 9 9 9 9", field_status::ok, 99999},
        {"1234567890", field_status::ok, 1234567890}, {"  -123456", field_status::ok, -123456},
        {"12345678-", field_status::invalid, 0}, {"\xb5", field_status::invalid, 0},
    };
    for (const auto& k : cases) {
        std::int32_t v = -12345;
        EXPECT_EQ(records::read_integer_field(k.field, v), k.status) << '"' << k.field << '"';
        if (k.status == field_status::ok) {
            EXPECT_EQ(v, k.v) << '"' << k.field << '"';
        }
    }
    std::int32_t v = 0;
    EXPECT_EQ(records::read_integer_field(std::string_view("1\0", 2), v), field_status::invalid);
}

TEST(InputEditing, Reals) {
    struct c { const char* field; int d; float v; };
    const c cases[] = {
        {"12.0000", 5, 12.0f},   {" 12.000", 5, 12.0f},  {"  12   ", 5, 0.00012f}, {"1.5E+01", 5, 15.0f},
        {"       ", 5, 0.0f},    {"  1.5", 2, 1.5f},     {"  150", 2, 1.5f},      {"   40", 2, 0.4f},
        {"2.5E2", 5, 250.0f},    {"2.5000E+02", 5, 250.0f}, {"250", 5, 0.0025f},  {"1.5D+01", 5, 15.0f},
        {"1.5d1", 5, 15.0f},     {"1.5e1", 5, 15.0f},    {"1.5+1", 5, 15.0f},     {"15-1", 0, 1.5f},
        {"-.5", 2, -0.5f},       {"5.", 2, 5.0f},        {"1 . 5", 2, 1.5f},      {"450", 1, 45.0f},
        {"0.1", 3, 0.1f},        {" -1.2E-3", 4, -0.0012f}, {"+", 2, 0.0f},       {"-", 2, 0.0f},
        // Nearest 32-bit real, ties to even: 16777217 lies halfway between two floats.
        {"16777217", 0, 16777216.0f}, {"16777219", 0, 16777220.0f},
        {"1E39", 0, inf},        {"-1E39", 0, -inf},     {"1E-50", 0, 0.0f},      {"1E-40", 0, 1e-40f},
        {"1E99999999", 0, inf},  {"1E-99999999", 0, 0.0f},
        {"Inf", 0, inf},         {"-Infinity", 0, -inf}, {"+INF", 0, inf},        {"infinity", 3, inf},
    };
    for (const auto& k : cases) {
        float v = -7.0f;
        ASSERT_EQ(records::read_real_field(k.field, k.d, v), field_status::ok) << '"' << k.field << '"';
        EXPECT_EQ(v, k.v) << '"' << k.field << '"';
    }
    float v = 1.0f;
    EXPECT_EQ(records::read_real_field("-", 2, v), field_status::ok);
    EXPECT_FALSE(std::signbit(v)) << "a lone sign reads as positive zero";
    EXPECT_EQ(records::read_real_field(" NaN", 2, v), field_status::ok);
    EXPECT_TRUE(std::isnan(v));
    EXPECT_EQ(records::read_real_field("-nan", 2, v), field_status::ok);
    EXPECT_TRUE(std::isnan(v));

    const char* invalid[] = {".",    "1.2.3", "1E",   "1E+",  "E5",  "1e5.0", "1,5", "12a",
                             "--1",  "1.5E+1-", "Infin", "nana", "+-1", "1x",   "1\t"};
    for (const char* field : invalid)
        EXPECT_EQ(records::read_real_field(field, 2, v), field_status::invalid) << '"' << field << '"';
}

}  // namespace
