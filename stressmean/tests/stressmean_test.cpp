// stressmean, run end to end in a scratch folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/scratch.hpp"

namespace {

using suite_test::records_of;
using suite_test::run_in;
using suite_test::scratch_dir;

const std::string program = STRESSMEAN_PROGRAM;

// One E11.4 input field holding `text`, right-justified.
std::string field(const std::string& text) { return std::string(11 - text.size(), ' ') + text; }

// `count` records whose three fields are given by `fields(k)` for record k.
std::string stresses(int count, const std::function<std::string(int)>& fields) {
    std::string text;
    for (int k = 1; k <= count; ++k) text += fields(k) + "\n";
    return text;
}

std::string number(int k) { return std::to_string(k) + "."; }

// sh(k) = 0, sz(k) = k, shz(k) = -k.
std::string record_number_input(int count) {
    return stresses(count, [](int k) { return field("0.") + field(number(k)) + field("-" + number(k)); });
}

// E10.3 as written by the C library: "%.2e" gives d.dde+XX, which is the
// same three digits as 0.ddd with the exponent one higher.
std::string e10_3(double value) {
    if (value == 0.0) return " 0.000E+00";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2e", value);
    std::string s(buf);
    bool negative = s[0] == '-';
    if (negative) s.erase(0, 1);
    int exponent = std::stoi(s.substr(5)) + 1;
    char out[32];
    std::snprintf(out, sizeof out, "%s0.%c%c%cE%c%02d", negative ? "-" : " ", s[0], s[2], s[3],
                  exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
    return out;
}

std::string zh_line(int i, const std::string& sigz, const std::string& zdh, const std::string& sighz) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "  I=%2d SIGZ=%s Z/H=%s SIGHZ=%s", i, sigz.c_str(), zdh.c_str(), sighz.c_str());
    return buf;
}
std::string six_line(int j, const std::string& ydb, const std::string& sigz) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "  I=%2d Y/B=%s SIGZ=%s", j, ydb.c_str(), sigz.c_str());
    return buf;
}
std::string yb_line(int i, const std::string& ydb, const std::string& sazm, const std::string& sazt) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "  I=%2d Y/B=%s SAZM=%s SAZT=%s", i, ydb.c_str(), sazm.c_str(), sazt.c_str());
    return buf;
}
std::string f6_4(double value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%6.4f", value);
    return buf;
}

const std::vector<std::string> six_ydb = {"0.9961", "0.9922", "0.9883", "0.9844", "0.9766", "0.9531"};

struct run_output {
    int status;
    std::string diagnostics;
    std::vector<std::string> records;
};

run_output run_with(const std::string& input) {
    scratch_dir dir;
    dir.write("wstresses.out", input);
    auto result = run_in(dir, program);
    return {result.status, result.diagnostics, records_of(dir.read("wstressavg.out"))};
}

TEST(Stressmean, EveryValueOneGivesOneEverywhere) {
    auto out = run_with(stresses(2394, [](int) { return field("1.0") + field("1.0") + field("1.0"); }));
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    EXPECT_EQ(out.diagnostics, "");
    std::vector<std::string> expected;
    const std::string one = " 0.100E+01";
    for (int i = 1; i <= 95; ++i) expected.push_back(zh_line(i, one, f6_4(i / 96.0), one));
    for (int j = 1; j <= 6; ++j) expected.push_back(six_line(j, six_ydb[j - 1], one));
    const double n[26] = {255, 254, 250, 244, 236, 228, 216, 200, 184, 168, 156, 148, 140,
                          132, 124, 116, 108, 100, 88,  72,  56,  40,  28,  20,  12,  4};
    for (int i = 1; i <= 26; ++i) expected.push_back(yb_line(i, f6_4(n[i - 1] / 256.0), one, one));
    EXPECT_EQ(out.records, expected);
}

TEST(Stressmean, RecordNumbersAsStresses) {
    auto out = run_with(record_number_input(2394));
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    ASSERT_EQ(out.records.size(), 127u);

    // The values below follow from the record numbers that each mean takes.
    std::vector<std::string> expected;
    for (int i = 1; i <= 95; ++i) {
        double sigz = i < 48 ? 1975 + 2 * (i - 1) + 1.5 : i > 48 ? 2299 + 2 * (i - 49) + 1.5 : 2184.5;
        expected.push_back(zh_line(i, e10_3(sigz), f6_4(i / 96.0), e10_3(-sigz)));
    }
    const double saz[6] = {2184.5, 2142.5, 2100.5, 2069.25, 2016.5, 1938.125};
    for (int j = 1; j <= 6; ++j) expected.push_back(six_line(j, six_ydb[j - 1], e10_3(saz[j - 1])));
    const double n[26] = {255, 254, 250, 244, 236, 228, 216, 200, 184, 168, 156, 148, 140,
                          132, 124, 116, 108, 100, 88,  72,  56,  40,  28,  20,  12,  4};
    const double sazm[26] = {2393.5, 2346, 2225, 2128,  1188, 1185, 1180.5, 1177, 1174,
                             1170.5, 1167, 1163, 1085,  1081, 795,  791,    896,  893,
                             888.5,  885,  882,  878.5, 875,  871,  291,    287};
    const double sazt[26] = {1975.5, 1939, 1807, 1747, 1214, 1209, 1206.5, 1203, 1200, 1196.5, 1191, 1189, 901,
                             897,    609,  605,  26,   21,   18.5, 15,     12,   8.5,  3,      1,    105,  101};
    for (int i = 1; i <= 26; ++i) expected.push_back(yb_line(i, f6_4(n[i - 1] / 256.0), e10_3(sazm[i - 1]), e10_3(sazt[i - 1])));
    EXPECT_EQ(out.records, expected);

    // A few records spelled out in full.
    EXPECT_EQ(out.records[0], "  I= 1 SIGZ= 0.198E+04 Z/H=0.0104 SIGHZ=-0.198E+04");
    EXPECT_EQ(out.records[47], "  I=48 SIGZ= 0.218E+04 Z/H=0.5000 SIGHZ=-0.218E+04");
    EXPECT_EQ(out.records[94], "  I=95 SIGZ= 0.239E+04 Z/H=0.9896 SIGHZ=-0.239E+04");
    EXPECT_EQ(out.records[95], "  I= 1 Y/B=0.9961 SIGZ= 0.218E+04");
    EXPECT_EQ(out.records[100], "  I= 6 Y/B=0.9531 SIGZ= 0.194E+04");
    EXPECT_EQ(out.records[101], "  I= 1 Y/B=0.9961 SAZM= 0.239E+04 SAZT= 0.198E+04");
    EXPECT_EQ(out.records[126], "  I=26 Y/B=0.0156 SAZM= 0.287E+03 SAZT= 0.101E+03");
    EXPECT_EQ(out.records[0].size(), 50u);
    EXPECT_EQ(out.records[95].size(), 33u);
    EXPECT_EQ(out.records[101].size(), 49u);
}

TEST(Stressmean, RecordsAfterThe2394thAreNeverRead) {
    auto exact = run_with(record_number_input(2394));
    auto longer = run_with(record_number_input(2394) + record_number_input(10) + "not a stress record\n");
    ASSERT_EQ(exact.status, 0);
    EXPECT_EQ(longer.status, 0) << longer.diagnostics;
    EXPECT_EQ(longer.records, exact.records);
}

TEST(Stressmean, FirstFieldNeverMatters) {
    auto plain = run_with(record_number_input(2394));
    auto odd = run_with(stresses(2394, [](int k) {
        const char* firsts[] = {"-0.9999E+38", "NaN", "", "12345", "Infinity", "-7."};
        return field(firsts[k % 6]) + field(number(k)) + field("-" + number(k));
    }));
    ASSERT_EQ(odd.status, 0) << odd.diagnostics;
    EXPECT_EQ(odd.records, plain.records);
}

TEST(Stressmean, ShortInputEndsWithoutWritingAnything) {
    scratch_dir dir;
    dir.write("wstresses.out", record_number_input(2393));
    dir.write("wstressavg.out", "an older result\n");
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics,
              "stressmean: wstresses.out, record 2394: end of file, the file has only 2393 records\n");
    EXPECT_TRUE(dir.exists("wstressavg.out"));
    EXPECT_EQ(dir.read("wstressavg.out"), "");
}

TEST(Stressmean, MalformedFieldEndsWithoutWritingAnything) {
    std::string input = record_number_input(2394);
    std::string bad_record = field("0.") + field("12x4.") + field("-5.");
    std::size_t at = 0;
    for (int k = 1; k < 100; ++k) at = input.find('\n', at) + 1;  // start of record 100
    input.replace(at, 33, bad_record);
    scratch_dir dir;
    dir.write("wstresses.out", input);
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics,
              "stressmean: wstresses.out, record 100, columns 12-22: \"      12x4.\" is not a valid E11.4 field\n");
    EXPECT_EQ(dir.read("wstressavg.out"), "");
}

TEST(Stressmean, MissingInputLeavesAnExistingOutputAlone) {
    scratch_dir dir;
    dir.write("wstressavg.out", "an older result\n");
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "stressmean: cannot open wstresses.out: No such file or directory\n");
    EXPECT_EQ(dir.read("wstressavg.out"), "an older result\n");
    EXPECT_EQ(dir.files(), std::vector<std::string>{"wstressavg.out"});
}

TEST(Stressmean, NonFiniteStressesPassThrough) {
    auto out = run_with(stresses(2394, [](int k) {
        std::string sz = k == 2394 ? "NaN" : k == 1975 ? "Infinity" : "2.0";
        std::string shz = k == 1976 ? "-Infinity" : "2.0";
        return field("0.") + field(sz) + field(shz);
    }));
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    const std::string two = " 0.200E+01";
    EXPECT_EQ(out.records[0], zh_line(1, "  Infinity", "0.0104", " -Infinity"));
    EXPECT_EQ(out.records[1], zh_line(2, two, "0.0208", two));
    EXPECT_EQ(out.records[94], zh_line(95, "       NaN", "0.9896", two));
    EXPECT_EQ(out.records[101], yb_line(1, "0.9961", "       NaN", "  Infinity"));
    EXPECT_EQ(out.records[102], yb_line(2, "0.9922", "       NaN", "  Infinity"));
    EXPECT_EQ(out.records[103], yb_line(3, "0.9766", two, two));
}

TEST(Stressmean, SolverExampleRuns) {
    std::ifstream in(EXAMPLES_DIR "/wstresses.out", std::ios::binary);
    ASSERT_TRUE(in) << "examples/wstresses.out is missing";
    std::stringstream text;
    text << in.rdbuf();
    ASSERT_EQ(records_of(text.str()).size(), 2394u);
    auto out = run_with(text.str());
    EXPECT_EQ(out.status, 0) << out.diagnostics;
    ASSERT_EQ(out.records.size(), 127u);
    for (const auto& rec : out.records) EXPECT_EQ(rec.find('*'), std::string::npos) << rec;
}

}  // namespace
