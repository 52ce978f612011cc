// The pattern tables and the pass former on their own.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>

#include "records/run.hpp"
#include "tests/support/scratch.hpp"
#include "topo/element_record.hpp"
#include "topo/sections.hpp"

namespace {

using namespace topo;

TEST(ElementRows, ALayerWrites46ElementsPerCoarseCell) {
    long per_nb = 0;
    for (const element_row& row : element_rows)
        per_nb += static_cast<long>(row.pattern.size()) * (row.passes == row_width::fine ? 2 : 1);
    EXPECT_EQ(per_nb, 46);
    // Each pass moves iel on by exactly the elements it formed.
    for (const element_row& row : element_rows) EXPECT_EQ(static_cast<std::size_t>(row.add_iel), row.pattern.size());
}

TEST(FormPass, FanAroundTheCentreNode) {
    layer_counters k{100, 10, 20, 30};
    std::array<element, 7> out;
    ASSERT_EQ(form_pass(element_rows[2], k, out), 7u);  // row 3, narrowing fan
    const element expected[7] = {
        {100, 21, 11, 12}, {101, 21, 10, 11}, {102, 21, 20, 10}, {103, 21, 30, 20},
        {104, 21, 31, 30}, {105, 21, 22, 31}, {106, 21, 12, 22},
    };
    for (std::size_t e = 0; e < 7; ++e) {
        EXPECT_EQ(out[e].number, expected[e].number);
        EXPECT_EQ(out[e].first, expected[e].first);
        EXPECT_EQ(out[e].second, expected[e].second);
        EXPECT_EQ(out[e].third, expected[e].third);
    }
    EXPECT_EQ(k.iel, 107);
    EXPECT_EQ(k.imid, 22);
    EXPECT_EQ(k.itop, 12);
    EXPECT_EQ(k.ibtm, 31);
}

TEST(FormPass, NumbersWrapPastThe32BitLimit) {
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
    layer_counters k{max - 1, max, max - 1, max};
    std::array<element, 7> out;
    ASSERT_EQ(form_pass(element_rows[5], k, out), 7u);  // row 6, widening fan
    EXPECT_EQ(out[0].number, max - 1);
    EXPECT_EQ(out[1].number, max);
    EXPECT_EQ(out[2].number, min);
    EXPECT_EQ(out[0].first, max);       // c = m + 1
    EXPECT_EQ(out[0].third, min);       // t + 1
    EXPECT_EQ(out[4].second, min + 1);  // b + 2
    EXPECT_EQ(k.iel, min + 5);
    EXPECT_EQ(k.imid, min);
}

TEST(ElementWriter, NumbersTooWideForTheirFieldsAreAsterisks) {
    suite_test::scratch_dir dir;
    auto here = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    {
        records::run r("topo");
        ASSERT_TRUE(r.open_unit(6, "wtopo.out", records::file_status::unknown));
        element_writer w(r);
        w.write({1234567, -99999, 999999, std::numeric_limits<std::int32_t>::min()}, 123456.0f, 1000);
        w.write({1, 2, 3, 4}, -0.5f, -99);
        try {
            r.stop_run();
        } catch (const records::run_ended& e) {
            EXPECT_EQ(e.status, 0);
        }
    }
    std::filesystem::current_path(here);
    EXPECT_EQ(dir.read("wtopo.out"),
              "******" "-99999" "999999" "******" "********" "***\n"
              "     1     2     3     4   -0.50-99\n");
}

}  // namespace
