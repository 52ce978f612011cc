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

using lines = std::vector<std::string>;

suite_test::case_result stressmean_on(const std::string& input) {
    return suite_test::run_case(STRESSMEAN_PROGRAM, "wstresses.out", input, {"wstressavg.out"});
}

// `count` records of three E11.4 fields, the texts `fields(k)` gives for record k.
std::string stresses(int count, const std::function<lines(int)>& fields) {
    std::string text;
    for (int k = 1; k <= count; ++k) {
        for (const std::string& f : fields(k)) text += std::string(11 - f.size(), ' ') + f;
        text += "\n";
    }
    return text;
}

// sh(k) = first(k), sz(k) = k, shz(k) = -k.
std::string record_numbers(int count, const std::function<std::string(int)>& first = [](int) { return "0."; }) {
    return stresses(count, [&](int k) { return lines{first(k), std::to_string(k) + ".", "-" + std::to_string(k) + "."}; });
}

TEST(Stressmean, EveryValueOneGivesOneEverywhere) {
    auto out = stressmean_on(stresses(2394, [](int) { return lines{"1.0", "1.0", "1.0"}; }));
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    EXPECT_EQ(out.diagnostics, "");
    // Every value prints as 0.100E+01; Z/H = i/96 and Y/B = n/256 as F6.4.
    const int n[26] = {255, 254, 250, 244, 236, 228, 216, 200, 184, 168, 156, 148, 140,
                       132, 124, 116, 108, 100, 88,  72,  56,  40,  28,  20,  12,  4};
    const char* six_ydb[6] = {"0.9961", "0.9922", "0.9883", "0.9844", "0.9766", "0.9531"};
    lines expected;
    char buf[64];
    for (int i = 1; i <= 95; ++i) {
        std::snprintf(buf, sizeof buf, "  I=%2d SIGZ= 0.100E+01 Z/H=%6.4f SIGHZ= 0.100E+01", i, i / 96.0);
        expected.push_back(buf);
    }
    for (int j = 1; j <= 6; ++j) {
        std::snprintf(buf, sizeof buf, "  I=%2d Y/B=%s SIGZ= 0.100E+01", j, six_ydb[j - 1]);
        expected.push_back(buf);
    }
    for (int i = 1; i <= 26; ++i) {
        std::snprintf(buf, sizeof buf, "  I=%2d Y/B=%6.4f SAZM= 0.100E+01 SAZT= 0.100E+01", i, n[i - 1] / 256.0);
        expected.push_back(buf);
    }
    EXPECT_EQ(out.outputs[0], expected);
}

// sz(k) = k, shz(k) = -k; the exact means are checked on the profiles
// themselves, here how they reach the file. Records after the 2394th and the
// first field never matter.
TEST(Stressmean, RecordNumbersAsStresses) {
    auto out = stressmean_on(record_numbers(2394));
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    const lines& r = out.outputs[0];
    ASSERT_EQ(r.size(), 127u);
    EXPECT_EQ(r[0], "  I= 1 SIGZ= 0.198E+04 Z/H=0.0104 SIGHZ=-0.198E+04");
    EXPECT_EQ(r[47], "  I=48 SIGZ= 0.218E+04 Z/H=0.5000 SIGHZ=-0.218E+04");
    EXPECT_EQ(r[94], "  I=95 SIGZ= 0.239E+04 Z/H=0.9896 SIGHZ=-0.239E+04");
    EXPECT_EQ(r[95], "  I= 1 Y/B=0.9961 SIGZ= 0.218E+04");
    EXPECT_EQ(r[100], "  I= 6 Y/B=0.9531 SIGZ= 0.194E+04");
    EXPECT_EQ(r[101], "  I= 1 Y/B=0.9961 SAZM= 0.239E+04 SAZT= 0.198E+04");
    EXPECT_EQ(r[126], "  I=26 Y/B=0.0156 SAZM= 0.287E+03 SAZT= 0.101E+03");

    auto longer = stressmean_on(record_numbers(2394) + record_numbers(10) + "not a stress record\n");
    EXPECT_EQ(longer.status, 0) << longer.diagnostics;
    EXPECT_EQ(longer.outputs[0], r);
    auto odd_first = stressmean_on(record_numbers(2394, [](int k) {
        const char* firsts[] = {"-0.9999E+38", "NaN", "", "12345", "Infinity", "-7."};
        return firsts[k % 6];
    }));
    EXPECT_EQ(odd_first.status, 0) << odd_first.diagnostics;
    EXPECT_EQ(odd_first.outputs[0], r);
}

TEST(Stressmean, NonFiniteStressesPassThrough) {
    auto out = stressmean_on(stresses(2394, [](int k) {
        return lines{"0.", k == 2394 ? "NaN" : k == 1975 ? "Infinity" : "2.0", k == 1976 ? "-Infinity" : "2.0"};
    }));
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    const lines& r = out.outputs[0];
    ASSERT_EQ(r.size(), 127u);
    EXPECT_EQ(r[0], "  I= 1 SIGZ=  Infinity Z/H=0.0104 SIGHZ= -Infinity");
    EXPECT_EQ(r[1], "  I= 2 SIGZ= 0.200E+01 Z/H=0.0208 SIGHZ= 0.200E+01");
    EXPECT_EQ(r[94], "  I=95 SIGZ=       NaN Z/H=0.9896 SIGHZ= 0.200E+01");
    EXPECT_EQ(r[101], "  I= 1 Y/B=0.9961 SAZM=       NaN SAZT=  Infinity");
    EXPECT_EQ(r[102], "  I= 2 Y/B=0.9922 SAZM=       NaN SAZT=  Infinity");
    EXPECT_EQ(r[103], "  I= 3 Y/B=0.9766 SAZM= 0.200E+01 SAZT= 0.200E+01");
}

// A short or broken input: one line, status 1, and an output without records.
TEST(Stressmean, InputErrorsWriteNothing) {
    std::string broken = record_numbers(2394);
    std::size_t at = 0;
    for (int k = 1; k < 100; ++k) at = broken.find('\n', at) + 1;  // start of record 100
    broken.replace(at + 11, 11, "      12x4.");
    const std::pair<std::string, std::string> cases[] = {
        {record_numbers(2393), "stressmean: wstresses.out, record 2394: end of file, the file has only 2393 records\n"},
        {broken, "stressmean: wstresses.out, record 100, columns 12-22: \"      12x4.\" is not a valid E11.4 field\n"},
    };
    for (const auto& [input, diagnostic] : cases) {
        auto out = stressmean_on(input);
        EXPECT_EQ(out.status, 1);
        EXPECT_EQ(out.diagnostics, diagnostic);
        EXPECT_TRUE(out.present[0]);
        EXPECT_EQ(out.outputs[0], lines{});
    }
}

TEST(Stressmean, MissingInputLeavesAnExistingOutputAlone) {
    suite_test::scratch_dir dir;
    dir.write("wstressavg.out", "an older result\n");
    auto result = suite_test::run_in(dir, STRESSMEAN_PROGRAM);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "stressmean: cannot open wstresses.out: No such file or directory\n");
    EXPECT_EQ(dir.files(), lines{"wstressavg.out"});
    EXPECT_EQ(dir.read("wstressavg.out"), "an older result\n");
}

TEST(Stressmean, SolverExampleRuns) {
    std::ifstream in(EXAMPLES_DIR "/wstresses.out", std::ios::binary);
    ASSERT_TRUE(in) << "examples/wstresses.out is missing";
    std::stringstream text;
    text << in.rdbuf();
    ASSERT_EQ(suite_test::records_of(text.str()).size(), 2394u);
    auto out = stressmean_on(text.str());
    EXPECT_EQ(out.status, 0) << out.diagnostics;
    ASSERT_EQ(out.outputs[0].size(), 127u);
    for (const auto& rec : out.outputs[0]) EXPECT_EQ(rec.find('*'), std::string::npos) << rec;
}

}  // namespace
