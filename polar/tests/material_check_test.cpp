// The refusal of what is no material: each limit on both sides, the order
// in which faults are named, and the worked example passing.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "polar/lamina.hpp"
#include "polar/material_check.hpp"

namespace {

const float inf = std::numeric_limits<float>::infinity();
const float nan = std::numeric_limits<float>::quiet_NaN();

polar::mf worked() { return {3.5f, 0.35f, 230.0f, 15.0f, 24.0f, 5.02f, 15.0f}; }
const std::array<float, 3> fractions{0.4f, 0.5f, 0.6f};

struct limit_case {
    const char* what;
    void (*change)(polar::mf&, std::array<float, 3>&);
    const char* refusal;  // the start of the line after "polar: ", or nullptr when accepted
};

const limit_case cases[] = {
    {"worked example", [](polar::mf&, std::array<float, 3>&) {}, nullptr},
    {"VF exactly 0 and 1, and -0", [](polar::mf&, std::array<float, 3>& v) { v = {0.0f, 1.0f, -0.0f}; }, nullptr},
    {"VF just above 1", [](polar::mf&, std::array<float, 3>& v) { v[2] = std::nextafter(1.0f, 2.0f); },
     "polar.dat, record 11, columns 34-38: VF 1.0000001 is not a volume fraction"},
    {"VF below 0", [](polar::mf&, std::array<float, 3>& v) { v[0] = -0.01f; },
     "polar.dat, record 11, columns 24-28: VF -0.01 is not"},
    {"VF not a number", [](polar::mf&, std::array<float, 3>& v) { v[1] = nan; },
     "polar.dat, record 11, columns 29-33: VF nan is not"},
    {"NUM just inside both limits", [](polar::mf& m, std::array<float, 3>&) { m.num = std::nextafter(0.5f, 0.0f); },
     nullptr},
    {"NUM just above -1", [](polar::mf& m, std::array<float, 3>&) { m.num = std::nextafter(-1.0f, 0.0f); }, nullptr},
    {"NUM 0.5", [](polar::mf& m, std::array<float, 3>&) { m.num = 0.5f; },
     "polar.dat, record 4, columns 31-42: NUM 0.5 is not a Poisson ratio"},
    {"NUM -1", [](polar::mf& m, std::array<float, 3>&) { m.num = -1.0f; }, "polar.dat, record 4, columns 31-42: NUM -1 "},
    {"EM 0", [](polar::mf& m, std::array<float, 3>&) { m.em = 0.0f; },
     "polar.dat, record 3, columns 31-42: EM 0 is not a modulus: it must be a finite number above 0"},
    {"EFL infinite", [](polar::mf& m, std::array<float, 3>&) { m.efl = inf; }, "polar.dat, record 6, columns 41-52: EFL inf "},
    {"EFT negative", [](polar::mf& m, std::array<float, 3>&) { m.eft = -15.0f; }, "polar.dat, record 7, columns 41-52: EFT -15 "},
    {"GFLT not a number", [](polar::mf& m, std::array<float, 3>&) { m.gflt = nan; }, "polar.dat, record 8, columns 41-52: GFLT nan "},
    {"GFTT 0", [](polar::mf& m, std::array<float, 3>&) { m.gftt = 0.0f; }, "polar.dat, record 9, columns 41-52: GFTT 0 "},
    {"KFTT 0", [](polar::mf& m, std::array<float, 3>&) { m.kftt = 0.0f; }, "polar.dat, record 10, columns 41-52: KFTT 0 "},
    {"cal below 0", [](polar::mf& m, std::array<float, 3>&) { m.kftt = 1.0f; },
     "polar.dat, records 6, 7, 9 and 10, columns 41-52: EFL 230, EFT 15, GFTT 5.02 and KFTT 1 are inconsistent"},
    // EFT = 2 GFTT makes NUFTT 0, and KFTT = EFT / 2 then makes cal exactly 0.
    {"cal exactly 0", [](polar::mf& m, std::array<float, 3>&) { m.eft = 10.0f; m.gftt = 5.0f; m.kftt = 5.0f; }, nullptr},
    {"records in order: EM before NUM before VF",
     [](polar::mf& m, std::array<float, 3>& v) { m.em = 0.0f; m.num = 0.5f; v[0] = 2.0f; }, "polar.dat, record 3, "},
    {"records in order: NUM before EFL", [](polar::mf& m, std::array<float, 3>&) { m.num = 0.5f; m.efl = 0.0f; },
     "polar.dat, record 4, "},
    {"records in order: cal before VF", [](polar::mf& m, std::array<float, 3>& v) { m.kftt = 1.0f; v[0] = 2.0f; },
     "polar.dat, records 6, 7, 9 and 10, "},
};

TEST(MaterialCheck, LimitsAndOrder) {
    for (const limit_case& c : cases) {
        polar::mf m = worked();
        std::array<float, 3> v = fractions;
        c.change(m, v);
        std::optional<std::string> fault = polar::no_material(m, v);
        if (c.refusal == nullptr) {
            EXPECT_FALSE(fault) << c.what << ": " << *fault;
        } else {
            ASSERT_TRUE(fault) << c.what;
            EXPECT_EQ(fault->rfind(c.refusal, 0), 0u) << c.what << ": " << *fault;
        }
    }
}

TEST(MaterialCheck, CalIsTheLaminasOwn) {
    polar::mf m = worked();
    m.kftt = 1.0f;
    const float cal = polar::constituents(m).cal;
    std::optional<std::string> fault = polar::no_material(m, fractions);
    ASSERT_TRUE(fault);
    EXPECT_NE(fault->find("they give is -53.62085, "), std::string::npos) << *fault << " (cal " << cal << ")";
}

}  // namespace
