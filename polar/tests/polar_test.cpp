// polar, run end to end in a scratch folder.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "tests/support/scratch.hpp"

namespace {

using suite_test::records_of;
using suite_test::run_in;
using suite_test::scratch_dir;

const std::string program = POLAR_PROGRAM;

// Carbon fibre in epoxy, the worked example (examples/polar.dat).
const std::vector<std::string> worked_records = {
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

std::string joined(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& r : records) text += r + "\n";
    return text;
}

// The worked example with record `index` (from 0) replaced.
std::string worked_with(std::size_t index, const std::string& record) {
    std::vector<std::string> records = worked_records;
    records.at(index) = record;
    return joined(records);
}

const std::vector<std::string> output_files = {"vf.DAT", "polar.out", "e3.DAT", "g23.DAT", "nu32.DAT"};

// Records of polar.out: two heading records, then per pass a 59-record
// property report and a 364-record angle table.
constexpr std::size_t report_records = 59;
constexpr std::size_t pass_records = report_records + 364;
std::size_t report_start(int pass) { return 2 + static_cast<std::size_t>(pass - 1) * pass_records; }
std::size_t table_start(int pass) { return report_start(pass) + report_records; }
// Record of the angle THETA degrees in the table of a pass.
std::size_t angle_record(int pass, int theta) { return table_start(pass) + 3 + static_cast<std::size_t>(theta); }

// Field m (from 1) of an angle-table record: 2 blanks and an E10.3 field each.
std::string angle_field(const std::string& record, int m) {
    return record.substr(static_cast<std::size_t>(12 * m - 10), 10);
}

// The upper triangle of a printed 6 by 6 matrix, mirrored: the value of
// column j stands in columns 12j-9 to 12j+1 of row i's record.
using matrix = std::vector<std::vector<double>>;
matrix printed_matrix(const std::vector<std::string>& rows) {
    matrix m(6, std::vector<double>(6, 0.0));
    for (int i = 0; i < 6; ++i)
        for (int j = i; j < 6; ++j) {
            std::string field = rows.at(static_cast<std::size_t>(i)).substr(static_cast<std::size_t>(12 * j + 2), 11);
            m[i][j] = m[j][i] = std::stod(field);
        }
    return m;
}

struct worked_run {
    scratch_dir dir;
    suite_test::program_result result;
    std::map<std::string, std::vector<std::string>> files;
    worked_run() {
        dir.write("polar.dat", joined(worked_records));
        result = run_in(dir, program);
        for (const std::string& name : output_files) files[name] = records_of(dir.read(name));
    }
};

const worked_run& worked() {
    static const worked_run run;
    return run;
}

const std::vector<std::string> first_report = {
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

TEST(Polar, WorkedExampleRunsCleanly) {
    EXPECT_EQ(worked().result.status, 0);
    EXPECT_EQ(worked().result.diagnostics, "");
    EXPECT_EQ(worked().dir.files(),
              (std::vector<std::string>{"e3.DAT", "g23.DAT", "nu32.DAT", "polar.dat", "polar.out", "vf.DAT"}));
}

TEST(Polar, WorkedExampleRecordCountsAndLengths) {
    const auto& f = worked().files;
    EXPECT_EQ(f.at("vf.DAT"), std::vector<std::string>{" 0.40 0.50 0.60"});
    for (const char* name : {"e3.DAT", "g23.DAT", "nu32.DAT"}) {
        ASSERT_EQ(f.at(name).size(), 361u) << name;
        std::size_t width = std::string(name) == "nu32.DAT" ? 84u : 48u;
        for (const std::string& r : f.at(name)) ASSERT_EQ(r.size(), width) << name << ": " << r;
    }

    // Record lengths of polar.out, built from its layout.
    std::vector<std::size_t> lengths = {31, 18};
    for (int pass = 1; pass <= 3; ++pass) {
        std::vector<std::size_t> report = {1,  48, 41, 41, 41, 0,  48, 53, 53, 53, 53, 53, 0,  62, 26, 0,  0,
                                           33, 35, 55, 55, 34, 55, 55, 17, 55, 55, 0,  49, 0,  43, 43, 43, 43,
                                           43, 43, 0,  73, 73, 73, 73, 73, 73, 0,  0,  37, 43, 43, 43, 43, 43,
                                           43, 73, 73, 73, 73, 73, 73, 1};
        ASSERT_EQ(report.size(), report_records);
        lengths.insert(lengths.end(), report.begin(), report.end());
        lengths.insert(lengths.end(), {55, 0, 94});
        lengths.insert(lengths.end(), 361, 96);
    }
    const auto& out = f.at("polar.out");
    ASSERT_EQ(out.size(), 1271u);
    ASSERT_EQ(lengths.size(), 1271u);
    for (std::size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i].size(), lengths[i]) << "record " << i + 1;
}

TEST(Polar, WorkedExampleFirstPropertyReport) {
    const auto& out = worked().files.at("polar.out");
    ASSERT_EQ(out.size(), 1271u);
    EXPECT_EQ(out[0], " Three Fiber Volume Fractions: ");
    EXPECT_EQ(out[1], "  0.40  0.50  0.60");
    std::vector<std::string> report(out.begin() + 2, out.begin() + 2 + report_records);
    EXPECT_EQ(report, first_report);
}

TEST(Polar, WorkedExampleQuotedValues) {
    const auto& out = worked().files.at("polar.out");
    ASSERT_EQ(out.size(), 1271u);
    struct quoted {
        int pass;
        std::string vf, el, et, glt, gtt, nult, nutt;
    };
    for (const quoted& q : {quoted{1, "0.40", "0.941E+02", "0.609E+01", "0.275E+01", "0.202E+01", "0.290E+00", "0.507E+00"},
                            quoted{3, "0.60", "0.139E+03", "0.782E+01", "0.432E+01", "0.261E+01", "0.263E+00", "0.501E+00"}}) {
        std::size_t r = report_start(q.pass);
        EXPECT_EQ(out[r + 3], "   MATRIX SHEAR MODULUS,   GM= 0.1296E+01");
        EXPECT_EQ(out[r + 14], " FIBER VOL. FRACTION= " + q.vf);
        EXPECT_EQ(out[r + 19], "    PARALLEL TO FIBER LONGITUDINAL AXIS,  EL= " + q.el);
        EXPECT_EQ(out[r + 20], "    TRANSVERSE TO FIBER,                  ET= " + q.et);
        EXPECT_EQ(out[r + 22], "    LONGITUDINAL-TRANSVERSE PLANE,       GLT= " + q.glt);
        EXPECT_EQ(out[r + 23], "        TRANSVERSE       PLANE,          GTT= " + q.gtt);
        EXPECT_EQ(out[r + 25], "      LONGITUDINAL-TRANSVERSE AXIS,     NULT= " + q.nult);
        EXPECT_EQ(out[r + 26], "         TRANSVERSE PLANE,              NUTT= " + q.nutt);
        EXPECT_EQ(out[table_start(q.pass)], " TILT ANGLE ALPHA= 0.000E+00 VOLUME FRACTION= 0." + q.vf.substr(2) + "0E+00");
    }
    // C33 of the first pass.
    EXPECT_EQ(out[report_start(1) + 39].substr(26, 11), " 0.9624E+02");
}

TEST(Polar, WorkedExampleAngleTable) {
    const auto& out = worked().files.at("polar.out");
    ASSERT_EQ(out.size(), 1271u);
    EXPECT_EQ(out[table_start(1) + 2],
              "     THETA         E3          T3         G23         G13          K3        NU32         NU13");
    std::map<int, std::string> rows = {
        {0, "   0.000E+00   0.941E+02   0.275E+01   0.275E+01   0.275E+01   0.447E-02   0.290E+00   0.187E-01"},
        {30, "   0.300E+02   0.120E+02   0.321E+01   0.321E+01   0.252E+01   0.228E-01   0.448E+00   0.141E+00"},
        {45, "   0.450E+02   0.751E+01   0.328E+01   0.328E+01   0.233E+01   0.412E-01   0.366E+00   0.263E+00"},
        {90, "   0.900E+02   0.609E+01   0.233E+01   0.233E+01   0.202E+01   0.779E-01   0.187E-01   0.507E+00"},
        {360, "   0.360E+03   0.941E+02   0.275E+01   0.275E+01   0.275E+01   0.447E-02   0.290E+00   0.187E-01"},
    };
    for (const auto& [theta, text] : rows) EXPECT_EQ(out[angle_record(1, theta)], text) << "THETA " << theta;

    // Every pass: THETA counts the degrees and T3 repeats G23.
    for (int pass = 1; pass <= 3; ++pass)
        for (int theta = 0; theta <= 360; ++theta) {
            const std::string& r = out[angle_record(pass, theta)];
            ASSERT_NEAR(std::stod(angle_field(r, 1)), theta, 0.51 * std::pow(10.0, theta < 10 ? -2 : theta < 100 ? -1 : 0)) << r;
            ASSERT_EQ(angle_field(r, 3), angle_field(r, 4)) << r;
        }
}

TEST(Polar, WorkedExamplePlotFiles) {
    const auto& f = worked().files;
    EXPECT_EQ(f.at("e3.DAT").front(), "  0.0000E+00  0.9412E+02  0.1168E+03  0.1394E+03");
    EXPECT_EQ(f.at("e3.DAT").at(90), "  0.1571E+01  0.6087E+01  0.6873E+01  0.7821E+01");
    EXPECT_EQ(f.at("e3.DAT").back(), "  0.6283E+01  0.9412E+02  0.1168E+03  0.1394E+03");
    EXPECT_EQ(f.at("g23.DAT").front(), "  0.0000E+00  0.2748E+01  0.3407E+01  0.4322E+01");
    EXPECT_EQ(f.at("nu32.DAT").front(),
              "  0.0000E+00  0.2897E+00  0.2759E+00  0.2627E+00  0.0000E+00  0.0000E+00  0.0000E+00");
    // NU32 of this material is positive at every angle: the negative half is all zeros.
    for (const std::string& r : f.at("nu32.DAT")) ASSERT_EQ(r.substr(48), "  0.0000E+00  0.0000E+00  0.0000E+00") << r;
}

TEST(Polar, PrintedStiffnessTimesComplianceIsTheIdentity) {
    const auto& out = worked().files.at("polar.out");
    ASSERT_EQ(out.size(), 1271u);
    for (int pass = 1; pass <= 3; ++pass) {
        std::size_t r = report_start(pass);
        matrix c = printed_matrix({out.begin() + static_cast<std::ptrdiff_t>(r + 37), out.begin() + static_cast<std::ptrdiff_t>(r + 43)});
        matrix s = printed_matrix({out.begin() + static_cast<std::ptrdiff_t>(r + 52), out.begin() + static_cast<std::ptrdiff_t>(r + 58)});
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

    scratch_dir empty;
    EXPECT_EQ(run_in(empty, program).status, 1);
    EXPECT_TRUE(empty.files().empty());
}

TEST(Polar, TruncatedInputNamesTheMissingRecord) {
    struct truncation {
        std::size_t keep;
        std::string diagnostic;
    };
    for (const truncation& t : {truncation{0, "polar: polar.dat, record 1: end of file, the file is empty\n"},
                                truncation{3, "polar: polar.dat, record 4: end of file, the file has only 3 records\n"},
                                truncation{7, "polar: polar.dat, record 8: end of file, the file has only 7 records\n"},
                                truncation{10, "polar: polar.dat, record 11: end of file, the file has only 10 records\n"}}) {
        scratch_dir dir;
        dir.write("polar.dat", joined({worked_records.begin(), worked_records.begin() + static_cast<std::ptrdiff_t>(t.keep)}));
        auto result = run_in(dir, program);
        EXPECT_EQ(result.status, 1) << t.keep;
        EXPECT_EQ(result.diagnostics, t.diagnostic);
        EXPECT_EQ(dir.read("polar.out"), "");
    }
}

TEST(Polar, MalformedNumberNamesRecordAndColumns) {
    scratch_dir dir;
    dir.write("polar.dat", worked_with(7, "FIBRE SHEAR MODULUS L-T PLANE GFLT       0.24.00E+02"));
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics,
              "polar: polar.dat, record 8, columns 41-52: \" 0.24.00E+02\" is not a valid E12.5 field\n");
}

// The matrix modulus EM = 0: the stiffness rows come out as zeros or
// not-a-numbers, six such rows per pass.
TEST(Polar, ZeroMatrixModulusPausesOncePerSingularRow) {
    scratch_dir dir;
    dir.write("polar.dat", worked_with(2, "MATRIX YOUNGS MODULUS EM       0.00000E+00"));
    auto result = run_in(dir, program);
    EXPECT_EQ(result.status, 0);
    std::string one = "polar: singular matrix\npolar: press Enter to continue, or type stop to end the run\n";
    std::string expected;
    for (int k = 0; k < 18; ++k) expected += one;
    EXPECT_EQ(result.diagnostics, expected);

    const auto out = records_of(dir.read("polar.out"));
    ASSERT_EQ(out.size(), 1271u);
    EXPECT_EQ(out[report_start(1) + 40], "                                       0.0000E+00  0.0000E+00  0.0000E+00");
    EXPECT_EQ(out[report_start(1) + 52].substr(0, 13), "          NaN");
    EXPECT_EQ(records_of(dir.read("e3.DAT")).size(), 361u);
}

TEST(Polar, OperatorStopAtThePauseKeepsTheReportSoFar) {
    scratch_dir dir;
    dir.write("polar.dat", worked_with(2, "MATRIX YOUNGS MODULUS EM       0.00000E+00"));
    const std::string answer = "stop\n";
    auto result = run_in(dir, program, &answer);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics,
              "polar: singular matrix\npolar: press Enter to continue, or type stop to end the run\n"
              "polar: stopped by the operator\n");
    // Heading and the first report up to its stiffness rows.
    EXPECT_EQ(records_of(dir.read("polar.out")).size(), 2u + 43u);
}

TEST(Polar, NoFibreAndAllFibre) {
    // Columns 24 to 38: 0.0, 1.0 and a blank field (0.0).
    scratch_dir dir;
    dir.write("polar.dat", worked_with(10, "vf: none, all, blank     0  100"));
    auto result = run_in(dir, program);
    ASSERT_EQ(result.status, 0) << result.diagnostics;
    EXPECT_EQ(records_of(dir.read("vf.DAT")), std::vector<std::string>{" 0.00 1.00 0.00"});
    const auto out = records_of(dir.read("polar.out"));
    ASSERT_EQ(out.size(), 1271u);
    for (int pass : {1, 3}) {
        std::size_t r = report_start(pass);
        EXPECT_EQ(out[r + 14], " FIBER VOL. FRACTION= 0.00");
        EXPECT_EQ(out[r + 19].substr(46), "0.350E+01");  // EL = EM
        EXPECT_EQ(out[r + 22].substr(46), "0.130E+01");  // GLT = GM
        EXPECT_EQ(out[r + 23].substr(46), "0.130E+01");  // GTT = GM
        EXPECT_EQ(out[r + 25].substr(46), "0.350E+00");  // NULT = NUM
    }
    std::size_t r = report_start(2);
    EXPECT_EQ(out[r + 14], " FIBER VOL. FRACTION= 1.00");
    EXPECT_EQ(out[r + 19].substr(46), "0.230E+03");  // EL = EFL
    EXPECT_EQ(out[r + 22].substr(46), "0.240E+02");  // GLT = GFLT
    EXPECT_EQ(out[r + 23].substr(46), "0.502E+01");  // GTT = GFTT
}

TEST(Polar, NegativeNu32GoesToTheSecondHalfOfThePlotFile) {
    // A stiff longitudinal shear fibre at high volume fractions: NU32
    // changes sign with the angle.
    scratch_dir dir;
    std::vector<std::string> records = worked_records;
    records[7] = "FIBRE SHEAR MODULUS L-T PLANE GFLT       0.24000E+03";
    records[10] = "FIBER VOLUME FRACTIONS  0.40 0.90 0.95";
    dir.write("polar.dat", joined(records));
    auto result = run_in(dir, program);
    ASSERT_EQ(result.status, 0) << result.diagnostics;
    const auto out = records_of(dir.read("polar.out"));
    const auto nu32 = records_of(dir.read("nu32.DAT"));
    ASSERT_EQ(out.size(), 1271u);
    ASSERT_EQ(nu32.size(), 361u);
    int negatives = 0;
    for (int theta = 0; theta <= 360; ++theta) {
        const std::string& rec = nu32[static_cast<std::size_t>(theta)];
        ASSERT_EQ(rec.size(), 84u);
        for (int pass = 1; pass <= 3; ++pass) {
            double printed = std::stod(angle_field(out[angle_record(pass, theta)], 7));
            double pos = std::stod(rec.substr(static_cast<std::size_t>(12 * pass), 12));
            double neg = std::stod(rec.substr(static_cast<std::size_t>(12 * (pass + 3)), 12));
            if (printed > 0.0) {
                EXPECT_GT(pos, 0.0) << rec;
                EXPECT_EQ(neg, 0.0) << rec;
                EXPECT_NEAR(pos, printed, 0.006 * printed) << rec;
            } else if (printed < 0.0) {
                ++negatives;
                EXPECT_EQ(pos, 0.0) << rec;
                EXPECT_LT(neg, 0.0) << rec;
                EXPECT_NEAR(neg, printed, -0.006 * printed) << rec;
            }
        }
    }
    EXPECT_GT(negatives, 100);
}

TEST(Polar, NumberFieldsWithAndWithoutDecimalPoint) {
    // Columns 41 to 52: a value with its point is taken as written; bare
    // digits have five implied decimal places; a short record reads blanks.
    scratch_dir dir;
    std::vector<std::string> records = worked_records;
    records[6] = records[6].substr(0, 40) + "       1.5E1";
    records[9] = records[9].substr(0, 40) + "         250";
    records[8] = "FIBRE SHEAR MODULUS T PLANE GFTT";
    dir.write("polar.dat", joined(records));
    ASSERT_EQ(run_in(dir, program).status, 0);
    const auto out = records_of(dir.read("polar.out"));
    ASSERT_EQ(out.size(), 1271u);
    EXPECT_EQ(out[report_start(1) + 8].substr(43), "0.1500E+02");
    EXPECT_EQ(out[report_start(1) + 10].substr(43), "0.0000E+00");
    EXPECT_EQ(out[report_start(1) + 11].substr(43), "0.2500E-02");
}

TEST(Polar, LabelsAreNeverPrinted) {
    scratch_dir dir;
    std::vector<std::string> records = worked_records;
    records[2].replace(0, 30, std::string(30, 'x'));
    records[3].replace(0, 30, std::string(30, 'y'));
    for (std::size_t k = 5; k < 10; ++k) records[k].replace(0, 40, std::string(40, 'z'));
    records[4] = "CARBON FIBRE HEADING, ONLY 25 OF ITS 50 CELLS SHOW";
    dir.write("polar.dat", joined(records));
    ASSERT_EQ(run_in(dir, program).status, 0);
    auto out = records_of(dir.read("polar.out"));
    auto expected = worked().files.at("polar.out");
    ASSERT_EQ(out.size(), expected.size());
    for (int pass = 1; pass <= 3; ++pass) {
        std::size_t r = report_start(pass) + 6;
        EXPECT_EQ(out[r], "   CARBON FIBRE HEADING, ONL(GPA)               ");
        out[r] = expected[r];
    }
    EXPECT_EQ(out, expected);
}

}  // namespace
