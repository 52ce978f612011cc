// Two pieces of work at once: both done, a fault of either thrown once both
// are, and two outputs of one run written on two threads as on one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "records/run.hpp"
#include "records/side_by_side.hpp"

namespace {

TEST(SideBySide, BothPiecesAreDoneAndAFaultOfEitherIsThrownAfterBoth) {
    for (int round = 0; round < 100; ++round) {
        std::vector<int> first(1000), second(1000);
        records::side_by_side([&] { std::fill(first.begin(), first.end(), round); },
                              [&] { std::fill(second.begin(), second.end(), -round); });
        ASSERT_EQ(first, std::vector<int>(1000, round));
        ASSERT_EQ(second, std::vector<int>(1000, -round));
    }
    bool second_done = false;
    EXPECT_THROW(records::side_by_side([] { throw std::runtime_error("first"); }, [&] { second_done = true; }),
                 std::runtime_error);
    EXPECT_TRUE(second_done);
    bool first_done = false;
    EXPECT_THROW(records::side_by_side([&] { first_done = true; }, [] { throw std::logic_error("second"); }),
                 std::logic_error);
    EXPECT_TRUE(first_done);
}

constexpr records::output_unit first_unit{6}, second_unit{7};

struct outcome {
    int status = -1;
    std::string said;
    std::string first, second;  // the files afterwards
};

std::string text_of(const std::filesystem::path& file) {
    std::stringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
}

// Writes a table of `count` records and a few lines of text to each of two
// outputs, on two threads or one; the second output may be another file
// (/dev/full, where every write fails).
outcome write_two(int count, bool at_once, const std::string& second_file = "", const std::string& first_name = "") {
    static int serial = 0;
    auto base = std::filesystem::temp_directory_path() /
                ("side-by-side-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    auto first_file = first_name.empty() ? base.string() + ".first" : first_name;
    auto second = second_file.empty() ? base.string() + ".second" : second_file;
    std::FILE* diagnostics = std::tmpfile();
    outcome o;
    {
        records::run r("test", diagnostics, nullptr);
        o.status = r.execute([&](records::run& run) {
            run.open_or_stop(first_unit, first_file, records::file_status::unknown);
            run.open_or_stop(second_unit, second, records::file_status::unknown);
            static const records::record_format node("(I6,3I3,2F12.6)"), element("(4I6,F8.2,I3)");
            auto write_first = [&] {
                run.write_lines(first_unit, "nodes\n");
                for (int i = 1; i <= count; ++i)
                    run.write(first_unit, node, i, i % 2, 0, 1, static_cast<float>(i) / 8.0f, -static_cast<float>(i));
            };
            auto write_second = [&] {
                run.write_lines(second_unit, "elements\n");
                for (int i = 1; i <= count; ++i) run.write(second_unit, element, i, i + 1, i + 2, i + 3, 22.5f, 3);
            };
            if (at_once) {
                records::side_by_side(write_second, write_first);
            } else {
                write_first();
                write_second();
            }
        });
    }
    std::rewind(diagnostics);
    for (int c; (c = std::fgetc(diagnostics)) != EOF;) o.said.push_back(static_cast<char>(c));
    std::fclose(diagnostics);
    if (first_name.empty()) {
        o.first = text_of(first_file);
        std::filesystem::remove(first_file);
    }
    if (second_file.empty()) {
        o.second = text_of(second);
        std::filesystem::remove(second);
    }
    return o;
}

TEST(TwoOutputsAtOnce, WrittenOnTwoThreadsAsOnOne) {
    for (int count : {0, 3, 100000}) {
        outcome one = write_two(count, false);
        outcome two = write_two(count, true);
        ASSERT_EQ(one.status, 0) << one.said;
        EXPECT_EQ(two.status, 0) << two.said;
        EXPECT_EQ(two.first, one.first) << count << " records";
        EXPECT_EQ(two.second, one.second) << count << " records";
    }
}

TEST(TwoOutputsAtOnce, AFailedWriteOnTheHelperStopsTheRunWithItsLine) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    outcome one = write_two(100000, false, "/dev/full");
    outcome two = write_two(100000, true, "/dev/full");
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(two.status, 1);
    EXPECT_EQ(two.said, one.said);
    EXPECT_NE(two.said.find("cannot write /dev/full"), std::string::npos) << two.said;
    // The other output was written whole meanwhile.
    EXPECT_EQ(two.first.size(), one.first.size());
}

TEST(TwoOutputsAtOnce, WhenBothFailTheRunsThreadsFaultIsTold) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    // The helper's output is the second of the two: the first one's fault
    // is the one a run writing them in turn tells. Two names of /dev/full
    // tell the faults apart.
    auto folder = std::filesystem::temp_directory_path();
    auto first = folder / ("side-by-side-first-full-" + std::to_string(::getpid()));
    auto second = folder / ("side-by-side-second-full-" + std::to_string(::getpid()));
    std::filesystem::create_symlink("/dev/full", first);
    std::filesystem::create_symlink("/dev/full", second);
    outcome one = write_two(100000, false, second.string(), first.string());
    EXPECT_EQ(one.status, 1);
    EXPECT_NE(one.said.find(first.string()), std::string::npos) << one.said;
    for (int round = 0; round < 20; ++round) {
        outcome two = write_two(100000, true, second.string(), first.string());
        EXPECT_EQ(two.status, 1);
        EXPECT_EQ(two.said, one.said);
    }
    std::filesystem::remove(first);
    std::filesystem::remove(second);
}

}  // namespace
