// polarplot, run end to end in a scratch folder on hand-made plot tables and
// on the tables that polar writes for the shipped example.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <cstdio>
#include <iterator>
#include <functional>
#include <string>
#include <vector>

#include "plots/tests/svg_check.hpp"
#include "polarplot/polar_picture.hpp"
#include "tests/support/scratch.hpp"

namespace {

using suite_test::run_in;
using suite_test::scratch_dir;

const std::string program = POLARPLOT_PROGRAM;

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string field(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " %11.4E", value);
    return buffer;
}

// Plot tables of 361 rows; `value(file, column, degrees)` gives each field
// as text so that a test can put any text in any field.
using field_maker = std::function<std::string(const std::string&, int, int)>;

std::string smooth_field(const std::string& file, int column, int degrees) {
    double a = degrees * 3.14159265358979 / 180.0;
    double c = std::cos(a);
    double k = column;
    if (file == "e3.DAT") return field(5.0 + 10.0 * k * c * c);
    if (file == "g23.DAT") return field(2.0 + k * 0.5);
    // NU32 = 0.3 cos(2a) for every fraction, split into its two parts.
    double nu = (0.3 + 0.05 * ((column - 1) % 3)) * std::cos(2 * a);
    if (column <= 3) return field(nu > 0 ? nu : 0.0);
    return field(nu < 0 ? nu : 0.0);
}

void write_tables(const scratch_dir& dir, const field_maker& value = smooth_field) {
    dir.write("vf.DAT", " 0.40 0.50 0.60\n");
    for (std::string file : {"e3.DAT", "g23.DAT", "nu32.DAT"}) {
        int columns = file == "nu32.DAT" ? 6 : 3;
        std::string text;
        for (int degrees = 0; degrees <= 360; ++degrees) {
            text += field(degrees * 3.14159265358979 / 180.0);
            for (int k = 1; k <= columns; ++k) text += value(file, k, degrees);
            text += '\n';
        }
        dir.write(file, text);
    }
}

std::vector<std::string> curves(const std::string& doc, const std::string& diagram, bool negative) {
    // The curves of one diagram: the paths after its group's start tag and
    // before the next diagram's.
    std::vector<std::string> found;
    std::string current;
    for (const auto& t : svg_check::tags_of(doc)) {
        if (t.text.find("class=\"diagram\"") != std::string::npos)
            current = t.text.substr(t.text.find("id=\"") + 4, diagram.size() + 1);
        if (current == diagram + "\"" && t.name == "path" && t.text.find("class=\"curve") != std::string::npos &&
            (t.text.find("negative") != std::string::npos) == negative)
            found.push_back(t.text);
    }
    return found;
}

TEST(Polarplot, OneCurvePerVolumeFractionInEachDiagramAndALegendOfFractions) {
    scratch_dir dir;
    write_tables(dir);
    auto result = run_in(dir, program);
    ASSERT_EQ(result.status, 0) << result.diagnostics;
    EXPECT_EQ(result.diagnostics, "");
    std::string doc = dir.read("polar.svg");
    ASSERT_EQ(svg_check::well_formed_error(doc), "");
    for (const char* diagram : {"E3", "G23", "NU32"}) EXPECT_EQ(curves(doc, diagram, false).size(), 3u);
    EXPECT_EQ(curves(doc, "NU32", true).size(), 3u);
    // The three fractions keep one colour each across the diagrams.
    auto stroke = [&](const char* diagram, std::size_t k) {
        std::string c = curves(doc, diagram, false)[k];
        return c.substr(c.find("stroke="));
    };
    for (std::size_t k = 0; k < 3; ++k)
        for (const char* diagram : {"G23", "NU32"}) EXPECT_EQ(stroke(diagram, k), stroke("E3", k));
    auto texts = svg_check::texts(doc);
    auto has = [&](const std::string& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    for (const char* t : {"Vf = 0.40", "Vf = 0.50", "Vf = 0.60", "E3", "G23", "NU32"}) EXPECT_TRUE(has(t)) << t;
    for (int degrees = 0; degrees < 360; degrees += 30)
        EXPECT_EQ(std::count(texts.begin(), texts.end(), std::to_string(degrees) + "\u00b0"), 3) << degrees;
    // Rings: E3 reaches 35, so rings at 10, 20, 30, 40; G23 reaches 3.5.
    EXPECT_TRUE(has("40"));
    EXPECT_TRUE(has("0.4"));  // the NU32 rings (largest magnitude 0.4)
}

TEST(Polarplot, APositiveNu32HasNoDashedCurve) {
    scratch_dir dir;
    write_tables(dir, [](const std::string& file, int column, int degrees) {
        if (file == "nu32.DAT") return field(column <= 3 ? 0.3 : 0.0);
        return smooth_field(file, column, degrees);
    });
    ASSERT_EQ(run_in(dir, program).status, 0);
    std::string doc = dir.read("polar.svg");
    EXPECT_EQ(curves(doc, "NU32", false).size(), 3u);
    EXPECT_EQ(curves(doc, "NU32", true).size(), 0u);
}

TEST(Polarplot, NonFiniteValuesAreLeftOutOfTheCurves) {
    scratch_dir dir;
    write_tables(dir, [](const std::string& file, int column, int degrees) {
        if (degrees == 45 && column == 1) return std::string("         NaN");
        if (degrees == 90 && column == 2) return std::string("    Infinity");
        if (degrees == 100 && column == 2) return std::string("   -Infinity");
        if (file == "g23.DAT" && column == 3) return std::string("         NaN");
        return smooth_field(file, column, degrees);
    });
    auto result = run_in(dir, program);
    ASSERT_EQ(result.status, 0) << result.diagnostics;
    std::string doc = dir.read("polar.svg");
    ASSERT_EQ(svg_check::well_formed_error(doc), "");
    EXPECT_EQ(doc.find("nan"), std::string::npos);
    EXPECT_EQ(doc.find("inf"), std::string::npos);
    // The first E3 curve breaks at 45 degrees: two pieces.
    auto e3 = curves(doc, "E3", false);
    ASSERT_EQ(e3.size(), 3u);
    EXPECT_EQ(std::count(e3[0].begin(), e3[0].end(), 'M'), 2);
    EXPECT_EQ(std::count(e3[1].begin(), e3[1].end(), 'M'), 3);
    // A fraction with no finite value draws no curve, the others still do.
    EXPECT_EQ(curves(doc, "G23", false).size(), 2u);
}

#ifdef POLAR_PROGRAM
TEST(Polarplot, TheTablesOfPolarForTheShippedExample) {
    scratch_dir dir;
    dir.write("polar.dat", slurp(EXAMPLES_DIR "/polar.dat"));
    ASSERT_EQ(run_in(dir, POLAR_PROGRAM).status, 0);
    ASSERT_EQ(run_in(dir, program).status, 0);
    std::string doc = dir.read("polar.svg");
    ASSERT_EQ(svg_check::well_formed_error(doc), "");
    for (const char* diagram : {"E3", "G23", "NU32"}) EXPECT_EQ(curves(doc, diagram, false).size(), 3u);
}
#endif

TEST(Polarplot, FileFaultsEndTheRunWithOneLineAndNoPicture) {
    struct {
        std::function<void(const scratch_dir&)> damage;
        std::string diagnostic;
    } cases[] = {
        {[](const scratch_dir& d) { std::filesystem::remove(d.path() / "nu32.DAT"); },
         "cannot open nu32.DAT: No such file or directory"},
        {[](const scratch_dir& d) { d.write("g23.DAT", d.read("g23.DAT").substr(0, 360 * 49)); },
         "g23.DAT, record 361: end of file, the file has only 360 records"},
        {[](const scratch_dir& d) { d.write("vf.DAT", " 0.40 0.5x 0.60\n"); },
         "vf.DAT, record 1, columns 6-10: \" 0.5x\" is not a valid F5.2 field"},
        {[](const scratch_dir& d) { std::filesystem::create_directory(d.path() / "polar.svg"); },
         "cannot write polar.svg: Is a directory"},
    };
    for (const auto& c : cases) {
        scratch_dir dir;
        write_tables(dir);
        c.damage(dir);
        auto result = run_in(dir, program);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.diagnostics, "polarplot: " + c.diagnostic + "\n");
        EXPECT_FALSE(std::filesystem::is_regular_file(dir.path() / "polar.svg"));
    }
}

TEST(Polarplot, HelpAndVersionTouchNoFile) {
    scratch_dir dir;
    write_tables(dir);
    auto before = dir.files();
    auto help = run_in(dir, program, nullptr, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("polar.svg"), std::string::npos);
    EXPECT_EQ(run_in(dir, program, nullptr, {"--version"}).status, 0);
    EXPECT_EQ(run_in(dir, program, nullptr, {"-x"}).status, 2);
    EXPECT_EQ(dir.files(), before);
}

TEST(PartRows, ACurveOfOneSignMeetsTheCentreWhereTheSignChanges) {
    polarplot::column theta{};
    polarplot::column part{};
    for (std::size_t j = 0; j < theta.size(); ++j) theta[j] = static_cast<float>(j) * 0.0174533f;
    // Positive at rows 0-1 and 5, zero elsewhere; NaN at row 8.
    part[0] = 0.3f;
    part[1] = 0.2f;
    part[5] = 0.1f;
    part[8] = std::nanf("");
    auto keep = polarplot::part_rows(theta, part);
    std::vector<bool> expected(theta.size(), false);
    for (std::size_t j : {0, 1, 2, 4, 5, 6}) expected[j] = true;
    EXPECT_EQ(keep, expected);
}

}  // namespace
