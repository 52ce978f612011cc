// polar, run end to end in a scratch folder.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "tests/support/scratch.hpp"

namespace {

using lines = std::vector<std::string>;
using suite_test::records_of;
using suite_test::run_in;
using suite_test::scratch_dir;

const std::string program = POLAR_PROGRAM;

// Carbon fibre in epoxy, the worked example (examples/polar.dat).
const lines worked_records = {
    "WORKED EXAMPLE: CARBON FIBRE IN EPOXY MATRIX",
    "EPOXY MATRIX             (GPA)",
    "MATRIX YOUNGS MODULUS EM       0.35000E+01",
    "MATRIX POISSON RATIO NUM       0.35000E+00",
    "CARBON FIBRE",
    "FIBRE LONGITUDINAL YOUNGS MODULUS EFL    0.23000E+03",
    "FIBRE TRANSVERSE YOUNGS MODULUS EFT      0.15000E+02",
    "FIBRE SHEAR MODULUS L-T PLANE GFLT       0.24000E+02",
    "FIBRE SHEAR MODULUS T PLANE GFTT         0.50200E+01",
    "FIBRE PLANE STRAIN BULK MODULUS KFTT     0.15000E+02",
    "FIBER VOLUME FRACTIONS  0.40 0.50 0.60",
};

std::string joined(const lines& records) {
    std::string text;
    for (const std::string& r : records) text += r + "\n";
    return text;
}

// The worked example with some records (from 0) replaced.
std::string worked_with(const std::map<std::size_t, std::string>& replaced) {
    lines records = worked_records;
    for (const auto& [index, record] : replaced) records.at(index) = record;
    return joined(records);
}

const lines output_files = {"vf.DAT", "polar.out", "e3.DAT", "g23.DAT", "nu32.DAT"};
enum { vf_dat, polar_out, e3_dat, g23_dat, nu32_dat };

suite_test::case_result polar_on(const std::string& input) { return suite_test::run_case(program, "polar.dat", input, output_files); }

// Records of polar.out: two heading records, then per pass a 59-record
// property report and a 364-record angle table.
constexpr std::size_t report_records = 59;
constexpr std::size_t pass_records = report_records + 364;
std::size_t report_start(int pass) { return 2 + static_cast<std::size_t>(pass - 1) * pass_records; }
std::size_t table_start(int pass) { return report_start(pass) + report_records; }
// Record of the angle THETA degrees in the table of a pass.
std::size_t angle_record(int pass, int theta) { return table_start(pass) + 3 + static_cast<std::size_t>(theta); }

// The upper triangle of a printed 6 by 6 matrix starting at record `first`,
// mirrored: the value of column j stands in columns 12j+3 to 12j+13.
using matrix = std::vector<std::vector<double>>;
matrix printed_matrix(const lines& out, std::size_t first) {
    matrix m(6, std::vector<double>(6, 0.0));
    for (std::size_t i = 0; i < 6; ++i)
        for (std::size_t j = i; j < 6; ++j) m[i][j] = m[j][i] = std::stod(out.at(first + i).substr(12 * j + 2, 11));
    return m;
}

const suite_test::case_result& worked() {
    static const suite_test::case_result run = polar_on(joined(worked_records));
    return run;
}

const lines first_report = {
        "1",
        "   EPOXY MATRIX             (GPA)               ",
        "   MATRIX YOUNGS MODULUS,  EM= 0.3500E+01",
        "   MATRIX SHEAR MODULUS,   GM= 0.1296E+01",
        "   MATRIX POISSON RATIO,  NUM= 0.3500E+00",
        "",
        "   CARBON FIBRE             (GPA)               ",
        "   FIBER LONGITUDINAL YOUNGS MODULUS, EFL= 0.2300E+03",
        "   FIBER TRANSVERSE YOUNGS MODULUS,   EFT= 0.1500E+02",
        "   FIBER SHEAR MODULUS L-T PLANE,    GFLT= 0.2400E+02",
        "   FIBER SHEAR MODULUS  T  PLANE,    GFTT= 0.5020E+01",
        "   FIBER PLANE STRAIN BULK MODULUS,  KFTT= 0.1500E+02",
        "",
        "  MATERIAL: WORKED EXAMPLE: CARBON FIBRE IN EPOXY MATRIX      ",
        " FIBER VOL. FRACTION= 0.40",
        "",
        "",
        "   ENGINEERING ELASTIC PROPERTIES",
        "  YOUNGS MODULI(GPA)               ",
        "    PARALLEL TO FIBER LONGITUDINAL AXIS,  EL= 0.941E+02",
        "    TRANSVERSE TO FIBER,                  ET= 0.609E+01",
        "  SHEAR MODULI(GPA)               ",
        "    LONGITUDINAL-TRANSVERSE PLANE,       GLT= 0.275E+01",
        "        TRANSVERSE       PLANE,          GTT= 0.202E+01",
        "  POISSONS RATIOS",
        "      LONGITUDINAL-TRANSVERSE AXIS,     NULT= 0.290E+00",
        "         TRANSVERSE PLANE,              NUTT= 0.507E+00",
        "",
        "                  STIFFNESSES(GPA)               ",
        "",
        "               C11  C12  C13  C14  C15  C16",
        "                    C22  C23  C24  C25  C26",
        "                         C33  C34  C35  C36",
        "                              C44  C45  C46",
        "                SYMMETRIC          C55  C56",
        "                                        C66",
        "",
        "   0.8336E+01  0.4297E+01  0.3659E+01  0.0000E+00  0.0000E+00  0.0000E+00",
        "               0.8336E+01  0.3659E+01  0.0000E+00  0.0000E+00  0.0000E+00",
        "                           0.9624E+02  0.0000E+00  0.0000E+00  0.0000E+00",
        "                                       0.2748E+01  0.0000E+00  0.0000E+00",
        "                SYMMETRIC                          0.2748E+01  0.0000E+00",
        "                                                               0.2019E+01",
        "",
        "",
        "                          COMPLIANCES",
        "               S11  S12  S13  S14  S15  S16",
        "                    S22  S23  S24  S25  S26",
        "                         S33  S34  S35  S36",
        "                              S44  S45  S46",
        "                SYMMETRIC          S55  S56",
        "                                        S66",
        "   0.1643E+00 -0.8335E-01 -0.3078E-02  0.0000E+00  0.0000E+00  0.0000E+00",
        "               0.1643E+00 -0.3078E-02  0.0000E+00  0.0000E+00  0.0000E+00",
        "                           0.1062E-01  0.0000E+00  0.0000E+00  0.0000E+00",
        "                                       0.3639E+00  0.0000E+00  0.0000E+00",
        "                SYMMETRIC                          0.3639E+00  0.0000E+00",
        "                                                               0.4953E+00",
        "1",
};

TEST(Polar, WorkedExampleRecordCountsAndLengths) {
    const auto& w = worked();
    ASSERT_EQ(w.status, 0);
    EXPECT_EQ(w.diagnostics, "");
    EXPECT_EQ(w.outputs[vf_dat], lines{" 0.40 0.50 0.60"});
    for (int f : {e3_dat, g23_dat, nu32_dat}) {
        ASSERT_EQ(w.outputs[f].size(), 361u) << output_files[f];
        for (const std::string& r : w.outputs[f]) ASSERT_EQ(r.size(), f == nu32_dat ? 84u : 48u) << r;
    }
    // polar.out: its heading, then per pass the report (as long as the first
    // one's records) and the angle table.
    const lines& out = w.outputs[polar_out];
    ASSERT_EQ(out.size(), 1271u);
    EXPECT_EQ(out[0], " Three Fiber Volume Fractions: ");
    EXPECT_EQ(out[1], "  0.40  0.50  0.60");
    EXPECT_EQ(lines(out.begin() + 2, out.begin() + 2 + report_records), first_report);
    for (int pass = 1; pass <= 3; ++pass) {
        for (std::size_t k = 0; k < report_records; ++k)
            ASSERT_EQ(out[report_start(pass) + k].size(), first_report[k].size()) << pass << ", " << k;
        std::size_t t = table_start(pass);
        ASSERT_EQ(out[t].size(), 55u);
        ASSERT_EQ(out[t + 1].size(), 0u);
        ASSERT_EQ(out[t + 2].size(), 94u);
        for (int theta = 0; theta <= 360; ++theta) ASSERT_EQ(out[angle_record(pass, theta)].size(), 96u) << theta;
    }
}

// The first report is checked whole above; the values quoted for 0.60 here.
TEST(Polar, WorkedExampleQuotedValuesOfTheThirdPass) {
    const lines& out = worked().outputs[polar_out];
    ASSERT_EQ(out.size(), 1271u);
    const std::map<std::size_t, std::string> quoted = {
        {3, "   MATRIX SHEAR MODULUS,   GM= 0.1296E+01"},
        {14, " FIBER VOL. FRACTION= 0.60"},
        {19, "    PARALLEL TO FIBER LONGITUDINAL AXIS,  EL= 0.139E+03"},
        {20, "    TRANSVERSE TO FIBER,                  ET= 0.782E+01"},
        {22, "    LONGITUDINAL-TRANSVERSE PLANE,       GLT= 0.432E+01"},
        {23, "        TRANSVERSE       PLANE,          GTT= 0.261E+01"},
        {25, "      LONGITUDINAL-TRANSVERSE AXIS,     NULT= 0.263E+00"},
        {26, "         TRANSVERSE PLANE,              NUTT= 0.501E+00"},
        {59, " TILT ANGLE ALPHA= 0.000E+00 VOLUME FRACTION= 0.600E+00"},
    };
    for (const auto& [k, text] : quoted) EXPECT_EQ(out[report_start(3) + k], text);
}

TEST(Polar, WorkedExampleAngleTableAndPlotFiles) {
    const auto& w = worked();
    const lines& out = w.outputs[polar_out];
    ASSERT_EQ(out.size(), 1271u);
    EXPECT_EQ(out[table_start(1) + 2],
              "     THETA         E3          T3         G23         G13          K3        NU32         NU13");
    const std::map<int, std::string> rows = {
        {0, "   0.000E+00   0.941E+02   0.275E+01   0.275E+01   0.275E+01   0.447E-02   0.290E+00   0.187E-01"},
        {30, "   0.300E+02   0.120E+02   0.321E+01   0.321E+01   0.252E+01   0.228E-01   0.448E+00   0.141E+00"},
        {45, "   0.450E+02   0.751E+01   0.328E+01   0.328E+01   0.233E+01   0.412E-01   0.366E+00   0.263E+00"},
        {90, "   0.900E+02   0.609E+01   0.233E+01   0.233E+01   0.202E+01   0.779E-01   0.187E-01   0.507E+00"},
        {360, "   0.360E+03   0.941E+02   0.275E+01   0.275E+01   0.275E+01   0.447E-02   0.290E+00   0.187E-01"},
    };
    for (const auto& [theta, text] : rows) EXPECT_EQ(out[angle_record(1, theta)], text) << "THETA " << theta;

    const lines& e3 = w.outputs[e3_dat];
    EXPECT_EQ(e3.front(), "  0.0000E+00  0.9412E+02  0.1168E+03  0.1394E+03");
    EXPECT_EQ(e3.at(90), "  0.1571E+01  0.6087E+01  0.6873E+01  0.7821E+01");
    EXPECT_EQ(e3.back(), "  0.6283E+01  0.9412E+02  0.1168E+03  0.1394E+03");
    EXPECT_EQ(w.outputs[g23_dat].front(), "  0.0000E+00  0.2748E+01  0.3407E+01  0.4322E+01");
    EXPECT_EQ(w.outputs[nu32_dat].front(),
              "  0.0000E+00  0.2897E+00  0.2759E+00  0.2627E+00  0.0000E+00  0.0000E+00  0.0000E+00");
    // NU32 of this material is positive at every angle: the negative half is all zeros.
    for (const std::string& r : w.outputs[nu32_dat]) ASSERT_EQ(r.substr(48), "  0.0000E+00  0.0000E+00  0.0000E+00") << r;
}

TEST(Polar, PrintedStiffnessTimesComplianceIsTheIdentity) {
    const lines& out = worked().outputs[polar_out];
    ASSERT_EQ(out.size(), 1271u);
    for (int pass = 1; pass <= 3; ++pass) {
        matrix c = printed_matrix(out, report_start(pass) + 37), s = printed_matrix(out, report_start(pass) + 52);
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j) {
                double sum = 0.0, scale = 0.0;
                for (int k = 0; k < 6; ++k) {
                    sum += c[i][k] * s[k][j];
                    scale += std::fabs(c[i][k] * s[k][j]);
                }
                // Four printed digits each: a relative error of 1e-3 per product.
                EXPECT_NEAR(sum, i == j ? 1.0 : 0.0, 1e-3 * scale + 1e-9) << "pass " << pass << " (" << i + 1 << "," << j + 1 << ")";
            }
    }
}

TEST(Polar, MissingInputLeavesExistingOutputsUntouched) {
    scratch_dir dir;
    for (const std::string& name : output_files) dir.write(name, "kept: " + name + "\nsecond line\n");
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "polar: cannot open polar.dat: No such file or directory\n");
    for (const std::string& name : output_files) EXPECT_EQ(dir.read(name), "kept: " + name + "\nsecond line\n");
    EXPECT_EQ(dir.files().size(), output_files.size());
}

// A cut or damaged polar.dat: one line naming the record, status 1.
TEST(Polar, InputErrorsNameTheRecord) {
    auto first = [](std::size_t keep) { return joined(lines(worked_records.begin(), worked_records.begin() + static_cast<std::ptrdiff_t>(keep))); };
    const std::pair<std::string, std::string> cases[] = {
        {first(0), "polar: polar.dat, record 1: end of file, the file is empty\n"},
        {first(3), "polar: polar.dat, record 4: end of file, the file has only 3 records\n"},
        {first(7), "polar: polar.dat, record 8: end of file, the file has only 7 records\n"},
        {first(10), "polar: polar.dat, record 11: end of file, the file has only 10 records\n"},
        {worked_with({{7, "FIBRE SHEAR MODULUS L-T PLANE GFLT       0.24.00E+02"}}),
         "polar: polar.dat, record 8, columns 41-52: \" 0.24.00E+02\" is not a valid E12.5 field\n"},
    };
    for (const auto& [input, diagnostic] : cases) {
        auto out = polar_on(input);
        EXPECT_EQ(out.status, 1) << diagnostic;
        EXPECT_EQ(out.diagnostics, diagnostic);
        EXPECT_EQ(out.outputs[polar_out], lines{}) << diagnostic;
    }
}

// The matrix modulus EM = 0: the stiffness rows come out as zeros or
// not-a-numbers, six such rows per pass.
const std::string zero_em = worked_with({{2, "MATRIX YOUNGS MODULUS EM       0.00000E+00"}});
std::string one_pause(const char* vf = "0.40", int row = 1) {
    return "polar: singular matrix\npolar: stiffness matrix C, volume fraction " + std::string(vf) + ", row " +
           std::to_string(row) + ": every element is zero or not a number\n" +
           "polar: press Enter to continue, or type stop to end the run\n";
}

TEST(Polar, ZeroMatrixModulusPausesOncePerSingularRow) {
    auto out = polar_on(zero_em);
    EXPECT_EQ(out.status, 0);
    std::string expected;
    for (const char* vf : {"0.40", "0.50", "0.60"})
        for (int row = 1; row <= 6; ++row) expected += one_pause(vf, row);
    EXPECT_EQ(out.diagnostics, expected);
    const lines& report = out.outputs[polar_out];
    ASSERT_EQ(report.size(), 1271u);
    EXPECT_EQ(report[report_start(1) + 40], "                                       0.0000E+00  0.0000E+00  0.0000E+00");
    EXPECT_EQ(report[report_start(1) + 52].substr(0, 13), "          NaN");
    EXPECT_EQ(out.outputs[e3_dat].size(), 361u);
}

TEST(Polar, OperatorStopAtThePauseKeepsTheReportSoFar) {
    scratch_dir dir;
    dir.write("polar.dat", zero_em);
    const std::string answer = "stop\n";
    auto result = run_in(dir, program, &answer);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, one_pause() + "polar: stopped by the operator\n");
    // Heading and the first report up to its stiffness rows.
    EXPECT_EQ(records_of(dir.read("polar.out")).size(), 2u + 43u);
}

// The volume fractions read as F5.2 in columns 24 to 38: "0", "100" and
// a blank field; the constants at 0 and 1 are checked on the lamina itself.
TEST(Polar, NoFibreAndAllFibre) {
    auto out = polar_on(worked_with({{10, "vf: none, all, blank     0  100"}}));
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    EXPECT_EQ(out.outputs[vf_dat], lines{" 0.00 1.00 0.00"});
    ASSERT_EQ(out.outputs[polar_out].size(), 1271u);
    EXPECT_EQ(out.outputs[polar_out][report_start(2) + 19].substr(46), "0.230E+03");  // EL = EFL
    EXPECT_EQ(out.outputs[polar_out][report_start(3) + 23].substr(46), "0.130E+01");  // GTT = GM
}

TEST(Polar, NegativeNu32GoesToTheSecondHalfOfThePlotFile) {
    // A stiff longitudinal shear fibre at high volume fractions: NU32
    // changes sign with the angle.
    auto out = polar_on(worked_with({{7, "FIBRE SHEAR MODULUS L-T PLANE GFLT       0.24000E+03"},
                                     {10, "FIBER VOLUME FRACTIONS  0.40 0.90 0.95"}}));
    ASSERT_EQ(out.status, 0) << out.diagnostics;
    const lines& report = out.outputs[polar_out];
    const lines& nu32 = out.outputs[nu32_dat];
    ASSERT_EQ(report.size(), 1271u);
    ASSERT_EQ(nu32.size(), 361u);
    int negatives = 0;
    for (int theta = 0; theta <= 360; ++theta) {
        const std::string& rec = nu32[static_cast<std::size_t>(theta)];
        for (int pass = 1; pass <= 3; ++pass) {
            double printed = std::stod(report[angle_record(pass, theta)].substr(74, 10));  // the NU32 column
            double pos = std::stod(rec.substr(static_cast<std::size_t>(12 * pass), 12));
            double neg = std::stod(rec.substr(static_cast<std::size_t>(12 * (pass + 3)), 12));
            negatives += printed < 0.0;
            EXPECT_EQ(printed > 0.0 ? neg : pos, 0.0) << rec;
            EXPECT_NEAR(printed > 0.0 ? pos : neg, printed, 0.006 * std::fabs(printed)) << rec;
        }
    }
    EXPECT_GT(negatives, 100);
}

TEST(Polar, NumberFieldsWithAndWithoutDecimalPoint) {
    // Columns 41 to 52: a value with its point is taken as written; bare
    // digits have five implied decimal places; a short record reads blanks.
    auto out = polar_on(worked_with({{6, worked_records[6].substr(0, 40) + "       1.5E1"},
                                     {8, "FIBRE SHEAR MODULUS T PLANE GFTT"},
                                     {9, worked_records[9].substr(0, 40) + "         250"}}));
    ASSERT_EQ(out.status, 0);
    const lines& report = out.outputs[polar_out];
    ASSERT_EQ(report.size(), 1271u);
    EXPECT_EQ(report[report_start(1) + 8].substr(43), "0.1500E+02");
    EXPECT_EQ(report[report_start(1) + 10].substr(43), "0.0000E+00");
    EXPECT_EQ(report[report_start(1) + 11].substr(43), "0.2500E-02");
}

TEST(Polar, LabelsAreNeverPrinted) {
    lines records = worked_records;
    records[2].replace(0, 30, std::string(30, 'x'));
    records[3].replace(0, 30, std::string(30, 'y'));
    for (std::size_t k = 5; k < 10; ++k) records[k].replace(0, 40, std::string(40, 'z'));
    records[4] = "CARBON FIBRE HEADING, ONLY 25 OF ITS 50 CELLS SHOW";
    auto out = polar_on(joined(records));
    ASSERT_EQ(out.status, 0);
    lines report = out.outputs[polar_out];
    const lines& expected = worked().outputs[polar_out];
    ASSERT_EQ(report.size(), expected.size());
    for (int pass = 1; pass <= 3; ++pass) {
        std::size_t r = report_start(pass) + 6;
        EXPECT_EQ(report[r], "   CARBON FIBRE HEADING, ONL(GPA)               ");
        report[r] = expected[r];
    }
    EXPECT_EQ(report, expected);
}

}  // namespace
