// profileplot, run end to end in a scratch folder on hand-made profiles and
// on the profiles stressmean writes for the shipped example.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "plots/tests/svg_check.hpp"
#include "tests/support/scratch.hpp"

namespace {

using suite_test::run_in;
using suite_test::scratch_dir;

const std::string program = PROFILEPLOT_PROGRAM;

std::string e10(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%10.3E", v);
    return b;
}

// The 127 records in stressmean's layouts; `field(section, k, value)` may
// replace a stress field's text.
using field_text = std::function<std::string(int, int, double)>;

std::string profiles(const field_text& stress = [](int, int, double v) { return e10(v); }) {
    std::string text;
    char b[128];
    for (int i = 1; i <= 95; ++i) {
        std::snprintf(b, sizeof b, "  I=%2d SIGZ=%s Z/H=%6.4f SIGHZ=%s\n", i, stress(1, i, 10.0 - i * 0.1).c_str(),
                      i / 96.0, stress(2, i, -5.0 + i * 0.05).c_str());
        text += b;
    }
    const double edge[] = {0.9961, 0.9922, 0.9883, 0.9844, 0.9766, 0.9531};
    for (int j = 1; j <= 6; ++j) {
        std::snprintf(b, sizeof b, "  I=%2d Y/B=%6.4f SIGZ=%s\n", j, edge[j - 1], stress(3, j, j * 2.0).c_str());
        text += b;
    }
    for (int i = 1; i <= 26; ++i) {
        std::snprintf(b, sizeof b, "  I=%2d Y/B=%6.4f SAZM=%s SAZT=%s\n", i, (256 - i * 9) / 256.0,
                      stress(4, i, 100.0 + i).c_str(), stress(5, i, -100.0 - i).c_str());
        text += b;
    }
    return text;
}

std::vector<std::string> curves(const std::string& doc) {
    std::vector<std::string> names;
    for (const auto& p : svg_check::elements(doc, "path", "class=\"curve\"")) {
        std::size_t at = p.find("data-name=\"") + 11;
        names.push_back(p.substr(at, p.find('"', at) - at));
    }
    return names;
}

TEST(Profileplot, ThreeChartsWithTheirCurvesAxesAndUnits) {
    scratch_dir dir;
    dir.write("wstressavg.out", profiles());
    auto result = run_in(dir, program);
    ASSERT_EQ(result.status, 0) << result.diagnostics;
    EXPECT_EQ(result.diagnostics, "");
    std::string doc = dir.read("profiles.svg");
    ASSERT_EQ(svg_check::well_formed_error(doc), "");
    EXPECT_NE(doc.find("viewBox="), std::string::npos);
    EXPECT_EQ(curves(doc), (std::vector<std::string>{"SIGZ", "SIGHZ", "SIGZ", "SAZM", "SAZT", "SAZM", "SAZT"}));
    // One marker per record and value (the one SAZM and SAZT record near
    // Y/B = 1 twice), and one per legend entry.
    EXPECT_EQ(svg_check::elements(doc, "circle").size(), 95u * 2 + 6 + 26 * 2 + 2 + 7);
    auto texts = svg_check::texts(doc);
    auto count = [&](const std::string& t) { return std::count(texts.begin(), texts.end(), t); };
    EXPECT_EQ(count("stress (units of wstresses.out)"), 4);
    EXPECT_EQ(count("Z/H"), 1);
    EXPECT_EQ(count("Y/B"), 3);
    for (const char* title : {"SIGZ and SIGHZ along Z/H", "SIGZ near Y/B = 1", "SAZM and SAZT along Y/B"})
        EXPECT_EQ(count(title), 1) << title;
    // Ticks: Z/H from 0 to 1, the edge profile's Y/B from 0.95 to 1.00.
    for (const char* tick : {"0.5", "0.95", "1.00", "0.97"}) EXPECT_GE(count(tick), 1) << tick;
}

TEST(Profileplot, NonFiniteValuesAreLeftOut) {
    scratch_dir dir;
    dir.write("wstressavg.out", profiles([](int section, int k, double v) {
        if (section == 1 && k == 40) return std::string("       NaN");
        if (section == 2 && k == 10) return std::string("  Infinity");
        if (section == 3) return std::string("       NaN");  // the whole edge profile
        return e10(v);
    }));
    auto result = run_in(dir, program);
    ASSERT_EQ(result.status, 0) << result.diagnostics;
    std::string doc = dir.read("profiles.svg");
    ASSERT_EQ(svg_check::well_formed_error(doc), "");
    EXPECT_EQ(doc.find("nan"), std::string::npos);
    EXPECT_EQ(doc.find("inf"), std::string::npos);
    EXPECT_EQ(curves(doc), (std::vector<std::string>{"SIGZ", "SIGHZ", "SAZM", "SAZT", "SAZM", "SAZT"}));
    // SIGZ and SIGHZ along Z/H each break once.
    for (const auto& p : svg_check::elements(doc, "path", "data-name=\"SIG"))
        EXPECT_EQ(std::count(p.begin(), p.end(), 'M'), 2) << p.substr(0, 60);
    auto texts = svg_check::texts(doc);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "no finite value to draw"), texts.end());
    EXPECT_EQ(svg_check::elements(doc, "circle").size(), 95u * 2 - 2 + 26 * 2 + 2 + 7);
}

TEST(Profileplot, FileFaultsEndTheRunWithOneLineAndNoPicture) {
    const std::string text = profiles();
    struct {
        std::string input, diagnostic;
    } cases[] = {
        {text.substr(0, text.rfind("  I=26")), "wstressavg.out, record 127: end of file, the file has only 126 records"},
        {profiles([](int section, int k, double v) { return section == 4 && k == 2 ? "  1.0E+0x " : e10(v); }),
         "wstressavg.out, record 103, columns 24-33: \"  1.0E+0x \" is not a valid E10.3 field"},
    };
    for (const auto& c : cases) {
        auto result = suite_test::run_case(program, "wstressavg.out", c.input, {"profiles.svg"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.diagnostics, "profileplot: " + c.diagnostic + "\n");
        EXPECT_FALSE(result.present[0]);
    }
    scratch_dir dir;
    auto missing = run_in(dir, program);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.diagnostics, "profileplot: cannot open wstressavg.out: No such file or directory\n");
    EXPECT_TRUE(dir.files().empty());
    dir.write("wstressavg.out", text);
    auto help = run_in(dir, program, nullptr, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("profiles.svg"), std::string::npos);
    EXPECT_EQ(dir.files(), std::vector<std::string>{"wstressavg.out"});
}

#ifdef STRESSMEAN_PROGRAM
TEST(Profileplot, TheProfilesOfTheShippedExample) {
    std::ifstream in(EXAMPLES_DIR "/wstresses.out", std::ios::binary);
    scratch_dir dir;
    dir.write("wstresses.out", std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    ASSERT_EQ(run_in(dir, STRESSMEAN_PROGRAM).status, 0);
    ASSERT_EQ(run_in(dir, program).status, 0);
    EXPECT_EQ(svg_check::well_formed_error(dir.read("profiles.svg")), "");
    EXPECT_EQ(curves(dir.read("profiles.svg")).size(), 7u);
}
#endif

}  // namespace
