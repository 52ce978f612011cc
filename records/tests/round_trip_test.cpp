// Round trip of number editing over a large set of values: what F and E
// output write is the value correctly rounded to the digits shown (checked
// against the C library's own conversion), and reads back with the same
// descriptor as the 32-bit real nearest to that text.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "records/input_editing.hpp"
#include "records/output_editing.hpp"

namespace {

std::vector<float> interesting_values() {
    std::vector<float> values;
    auto with_neighbours = [&values](float v) {
        for (float x : {v, std::nextafter(v, 0.0f), std::nextafter(v, std::numeric_limits<float>::infinity())})
            if (std::isfinite(x)) {
                values.push_back(x);
                values.push_back(-x);
            }
    };
    for (int e = -45; e <= 38; ++e) with_neighbours(std::strtof(("1e" + std::to_string(e)).c_str(), nullptr));
    for (int e = -149; e <= 127; ++e) with_neighbours(std::ldexp(1.0f, e));
    with_neighbours(std::numeric_limits<float>::max());
    with_neighbours(0.0f);
    // Dyadic fractions a / 2^k have exactly k decimals ending in 5: at k - 1
    // decimals (and at k - 1 significant digits) they are ties.
    std::mt19937 random(2024);
    for (int i = 0; i < 20000; ++i) {
        auto a = static_cast<std::int32_t>(random() % (1u << 20)) | 1;
        int k = 1 + static_cast<int>(random() % 12);
        values.push_back(std::ldexp(static_cast<float>(a), -k));
    }
    // Integers ending in 5 are ties at the digits before it, and large ones
    // are scaled down, not up, to their E digits.
    for (int i = 0; i < 20000; ++i) {
        auto n = static_cast<std::int32_t>(random() % (1u << 24)) / 10 * 10 + 5;
        values.push_back(std::ldexp(static_cast<float>(n), static_cast<int>(random() % 40)));
    }
    for (int i = 0; i < 50000; ++i) {
        float v = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (std::isfinite(v)) values.push_back(v);
    }
    return values;
}

std::string trimmed(const std::string& field) { return field.substr(field.find_first_not_of(' ')); }

float reread(const std::string& field, int digits) {
    float back = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(records::read_real_field(field, digits, back), records::field_status::ok) << field;
    return back;
}

TEST(RoundTrip, FixedOutputIsCorrectlyRoundedAndReadsBack) {
    const std::vector<float> values = interesting_values();
    // Every Fw.d the suite writes, and more; the narrowest Fw.0 fields,
    // where a value that rounds to 0 is the point alone or "-.".
    const int descriptors[][2] = {{5, 1}, {5, 2}, {6, 1}, {6, 4}, {7, 5}, {8, 2}, {12, 6}, {13, 6}, {14, 2},
                                  {20, 0}, {30, 7}, {40, 8}, {50, 9}, {60, 3}, {1, 0}, {2, 0}, {3, 0}};
    for (float v : values) {
        for (const auto& wd : descriptors) {
            int w = wd[0], d = wd[1];
            std::string ours;
            records::put_fixed(ours, v, w, d);
            char expected[128];
            std::snprintf(expected, sizeof expected, "%.*f", d, static_cast<double>(v));
            std::string text = expected;
            if (d == 0) text += '.';  // Fw.0 still writes its decimal point
            if (text.size() > static_cast<std::size_t>(w) && (text.rfind("0.", 0) == 0 || text.rfind("-0.", 0) == 0))
                text.erase(text.find('0'), 1);  // the optional 0 gives way when there is no room
            if (text.size() > static_cast<std::size_t>(w)) {
                ASSERT_EQ(ours, std::string(static_cast<std::size_t>(w), '*')) << v;
                continue;
            }
            ASSERT_EQ(trimmed(ours), text) << "F" << w << "." << d << " of " << v;
            if (text.find_first_of("0123456789") == std::string::npos) continue;  // no digit to read back
            float back = reread(ours, d);
            ASSERT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(std::strtof(expected, nullptr)))
                << ours;
        }
    }
}

TEST(RoundTrip, ExponentOutputIsCorrectlyRoundedAndReadsBack) {
    const std::vector<float> values = interesting_values();
    // Every Ew.d the suite writes, and more; each is wide enough for any
    // value (sign, "0.", d digits and "E+xx").
    const int descriptors[][2] = {{10, 3}, {11, 4}, {12, 5}, {14, 4}, {14, 6}, {16, 9}};
    for (float v : values) {
        for (const auto& wd : descriptors) {
            int w = wd[0], d = wd[1];
            std::string ours;
            records::put_exponent(ours, v, w, d);
            // The C library writes d1.d2...dd e±x; the field shows 0.d1d2...dd E±(x+1).
            char c[64];
            std::snprintf(c, sizeof c, "%.*e", d - 1, static_cast<double>(v));
            std::string lib = c;
            bool negative = lib[0] == '-';
            if (negative) lib.erase(0, 1);
            std::size_t e = lib.find('e');
            std::string digits = lib.substr(0, 1) + (d > 1 ? lib.substr(2, e - 2) : "");
            int exponent = v == 0.0f ? 0 : std::atoi(lib.c_str() + e + 1) + 1;
            char exp_text[16];
            std::snprintf(exp_text, sizeof exp_text, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
            std::string expected = std::string(negative ? "-" : "") + "0." + digits + exp_text;
            ASSERT_EQ(trimmed(ours), expected) << "E" << w << "." << d << " of " << v;
            float back = reread(ours, d);
            ASSERT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(std::strtof(c, nullptr))) << ours;
        }
    }
}

// Fields as a person types them, with a point or an implied one, with or
// without an exponent, read as the 32-bit real nearest to their value: the
// same as the C library's conversion of the digits and the power of ten,
// on both sides of the 2^24 mantissas and the 10^10 scales read fastest.
TEST(RoundTrip, TypedRealsReadAsTheNearestFloat) {
    std::mt19937 random(77);
    for (int i = 0; i < 100000; ++i) {
        std::uint32_t mantissa = random() % (1u << (1 + random() % 26));
        std::string digits = std::to_string(mantissa);
        int d = static_cast<int>(random() % 6);
        int point = static_cast<int>(random() % (digits.size() + 2)) - 1;  // -1: no point
        int exponent = static_cast<int>(random() % 31) - 15;
        bool with_exponent = random() % 2 == 0;
        std::string field = point < 0 ? digits : digits.substr(0, point) + "." + digits.substr(point);
        if (with_exponent) field += "E" + std::to_string(exponent);
        if (random() % 3 == 0) field = "-" + field;
        long scale = (with_exponent ? exponent : 0) - (point < 0 ? d : static_cast<long>(digits.size()) - point);
        float expected = std::strtof((digits + "e" + std::to_string(scale)).c_str(), nullptr);
        if (field[0] == '-') expected = -expected;
        float value = reread(field, d);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(value), std::bit_cast<std::uint32_t>(expected)) << field << " d=" << d;
    }
}

// The short way of reading a real takes the fields tables are made of and
// gives the general way's value bit for bit; it declines anything else.
TEST(RoundTrip, ShortWayAgreesWithTheGeneralWay) {
    std::mt19937 random(78);
    const char* exponent_marks[] = {"E", "e", "D", "d", "E+", "E-", "e-0", "D+00", "E0000", "E+00000", "+", "-"};
    int taken = 0;
    for (int i = 0; i < 200000; ++i) {
        std::uint32_t mantissa = random() % (1u << (1 + random() % 26));
        std::string digits = std::to_string(mantissa);
        if (random() % 4 == 0) digits = "0" + digits;
        int point = static_cast<int>(random() % (digits.size() + 2)) - 1;
        std::string field = point < 0 ? digits : digits.substr(0, point) + "." + digits.substr(point);
        if (random() % 2 == 0)
            field += exponent_marks[random() % std::size(exponent_marks)] + std::to_string(random() % 16);
        if (random() % 3 == 0) field = (random() % 2 == 0 ? "-" : "+") + field;
        field = std::string(random() % 4, ' ') + field + (random() % 8 == 0 ? " " : "");
        int d = static_cast<int>(random() % 6);
        float general = -7.0f, plain = -7.0f;
        bool valid = records::read_real_field(field, d, general) == records::field_status::ok;
        if (records::read_plain_real(field, d, plain)) {
            ++taken;
            ASSERT_TRUE(valid) << '"' << field << '"';
            ASSERT_EQ(std::bit_cast<std::uint32_t>(plain), std::bit_cast<std::uint32_t>(general))
                << '"' << field << "\" d=" << d;
        } else {
            ASSERT_EQ(plain, -7.0f) << "a declined field leaves the value as it was";
        }
    }
    EXPECT_GT(taken, 50000);
    // What the tables hold is taken, the rest declined.
    float v = 0.0f;
    for (const char* table_field : {"   12.000000", "  0.5000E+00", " -0.250000E-01", "   45.00", "-0.0000E+00"})
        EXPECT_TRUE(records::read_plain_real(table_field, 2, v)) << table_field;
    for (const char* other : {"", "    ", "-", "1 5", "16777217", "1.0E12", "1.0E-10", "Inf", "nan", "+1", "1.5 "})
        EXPECT_FALSE(records::read_plain_real(other, 0, v)) << '"' << other << '"';
}

}  // namespace
