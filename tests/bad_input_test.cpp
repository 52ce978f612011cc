// Every program over damaged and hostile input: a missing or empty input,
// the input cut after each of its records, each digit of a number field
// replaced by a non-number, carriage returns before the line feeds, and
// outputs that cannot be written. A failing run must stop with status 1 and
// one diagnostic naming the right record (and columns), and its outputs must
// hold exactly a prefix of the records a full run writes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
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

struct program_case {
    const char* name;
    std::string program;
    const char* input;
    const char* example;
    std::vector<std::string> outputs;
    // Whether column `column` (from 1) of record `record` of the example lies
    // in a field read as a number.
    std::function<bool(int record, int column)> numeric;
    // Records whose digits are each replaced in turn (all when empty).
    std::vector<int> mutated_records;
};

bool within(int column, int first, int last) { return column >= first && column <= last; }

std::vector<program_case> programs() {
    auto everywhere = [](int, int) { return true; };
    return {
        {"nodes", NODES_PROGRAM, "wnodes.dat", "wnodes.dat", {"wnodes.out"}, everywhere, {}},
        {"topo", TOPO_PROGRAM, "wtopo.dat", "wtopo.dat", {"wtopo.out"}, everywhere, {}},
        {"shift", SHIFT_PROGRAM, "old3.dat", "old3.dat", {"new3.dat"}, everywhere, {}},
        {"stressmean", STRESSMEAN_PROGRAM, "wstresses.out", "wstresses.out", {"wstressavg.out"}, everywhere,
         {1, 2, 1975, 2394}},
        {"polar", POLAR_PROGRAM, "polar.dat", "polar.dat", {"vf.DAT", "polar.out", "e3.DAT", "g23.DAT", "nu32.DAT"},
         [](int record, int column) {
             if (record == 3 || record == 4) return within(column, 31, 42);
             if (record >= 6 && record <= 10) return within(column, 41, 52);
             if (record == 11) return within(column, 24, 38);
             return false;
         },
         {}},
    };
}

std::string example(const char* name) {
    std::ifstream in(std::string(EXAMPLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string joined(const std::vector<std::string>& records, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count && i < records.size(); ++i) text += records[i] + "\n";
    return text;
}

struct full_run {
    std::vector<std::string> outputs;  // text of each output file
};

full_run run_full(const program_case& p, const std::string& input) {
    scratch_dir dir;
    dir.write(p.input, input);
    auto result = run_in(dir, p.program);
    EXPECT_EQ(result.status, 0) << p.name << ": " << result.diagnostics;
    full_run full;
    for (const auto& name : p.outputs) full.outputs.push_back(dir.read(name));
    return full;
}

// Every output that exists holds whole records from the start of the full
// run's output; nothing but the input and the outputs is in the folder.
void expect_prefix_outputs(const program_case& p, const scratch_dir& dir, const full_run& full,
                           const std::string& context) {
    std::vector<std::string> allowed = p.outputs;
    allowed.push_back(p.input);
    for (const auto& file : dir.files())
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), file), allowed.end()) << context << ": stray " << file;
    for (std::size_t i = 0; i < p.outputs.size(); ++i) {
        if (!dir.exists(p.outputs[i])) continue;
        std::string got = dir.read(p.outputs[i]);
        EXPECT_EQ(full.outputs[i].compare(0, got.size(), got), 0) << context << ": " << p.outputs[i];
        EXPECT_TRUE(got.empty() || got.back() == '\n') << context << ": " << p.outputs[i] << " ends mid-record";
    }
}

TEST(BadInput, MissingAndEmptyInput) {
    for (const auto& p : programs()) {
        scratch_dir missing;
        auto result = run_in(missing, p.program);
        EXPECT_EQ(result.status, 1) << p.name;
        EXPECT_EQ(result.diagnostics, std::string(p.name) + ": cannot open " + p.input + ": No such file or directory\n");
        EXPECT_TRUE(missing.files().empty()) << p.name;

        scratch_dir empty;
        empty.write(p.input, "");
        result = run_in(empty, p.program);
        EXPECT_EQ(result.status, 1) << p.name;
        EXPECT_EQ(result.diagnostics, std::string(p.name) + ": " + p.input + ", record 1: end of file, the file is empty\n");
    }
}

TEST(BadInput, InputCutAfterEveryRecord) {
    for (const auto& p : programs()) {
        std::string text = example(p.example);
        std::vector<std::string> records = records_of(text);
        full_run full = run_full(p, text);
        for (std::size_t kept = 1; kept < records.size(); ++kept) {
            // The 2394 stress records are read by one loop: past its first and
            // before its last hundred records, every 50th cut stands for the rest.
            if (kept > 100 && kept + 100 < records.size() && kept % 50 != 0) continue;
            scratch_dir dir;
            dir.write(p.input, joined(records, kept));
            auto result = run_in(dir, p.program);
            std::string context = std::string(p.name) + " cut after " + std::to_string(kept);
            ASSERT_EQ(result.status, 1) << context;
            EXPECT_EQ(result.diagnostics, std::string(p.name) + ": " + p.input + ", record " + std::to_string(kept + 1) +
                                              ": end of file, the file has only " + std::to_string(kept) +
                                              (kept == 1 ? " record\n" : " records\n"))
                << context;
            expect_prefix_outputs(p, dir, full, context);
        }
    }
}

TEST(BadInput, EveryDigitOfANumberFieldReplaced) {
    for (const auto& p : programs()) {
        std::string text = example(p.example);
        std::vector<std::string> records = records_of(text);
        full_run full = run_full(p, text);
        int failures = 0;
        for (std::size_t r = 0; r < records.size(); ++r) {
            int record = static_cast<int>(r) + 1;
            if (!p.mutated_records.empty() &&
                std::find(p.mutated_records.begin(), p.mutated_records.end(), record) == p.mutated_records.end())
                continue;
            for (std::size_t c = 0; c < records[r].size(); ++c) {
                if (records[r][c] < '0' || records[r][c] > '9') continue;
                int column = static_cast<int>(c) + 1;
                std::vector<std::string> damaged = records;
                damaged[r][c] = '#';
                scratch_dir dir;
                dir.write(p.input, joined(damaged, damaged.size()));
                auto result = run_in(dir, p.program);
                std::string context = std::string(p.name) + " record " + std::to_string(record) + " column " +
                                      std::to_string(column);
                if (!p.numeric(record, column)) {
                    EXPECT_EQ(result.status, 0) << context << ": " << result.diagnostics;
                    continue;
                }
                ++failures;
                ASSERT_EQ(result.status, 1) << context;
                // "prog: file, record R, columns A-B: "text" is not a valid I4 field"
                const std::string& said = result.diagnostics;
                std::string head = std::string(p.name) + ": " + p.input + ", record " + std::to_string(record) +
                                   ", columns ";
                ASSERT_EQ(said.rfind(head, 0), 0u) << context << ": " << said;
                int first = 0, last = 0;
                ASSERT_EQ(std::sscanf(said.c_str() + head.size(), "%d-%d", &first, &last), 2) << said;
                EXPECT_LE(first, column) << context;
                EXPECT_GE(last, column) << context;
                EXPECT_NE(said.find("\" is not a valid "), std::string::npos) << said;
                EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
                expect_prefix_outputs(p, dir, full, context);
            }
        }
        EXPECT_GT(failures, 0) << p.name;
    }
}

TEST(BadInput, CarriageReturnsAndAMissingLastLineFeed) {
    for (const auto& p : programs()) {
        std::string text = example(p.example);
        full_run full = run_full(p, text);
        std::string crlf;
        for (const auto& record : records_of(text)) crlf += record + "\r\n";
        for (const std::string& variant : {crlf, text.substr(0, text.size() - 1)}) {
            scratch_dir dir;
            dir.write(p.input, variant);
            auto result = run_in(dir, p.program);
            EXPECT_EQ(result.status, 0) << p.name << ": " << result.diagnostics;
            for (std::size_t i = 0; i < p.outputs.size(); ++i) EXPECT_EQ(dir.read(p.outputs[i]), full.outputs[i]) << p.name;
        }
    }
}

TEST(BadInput, ControlAndNonAsciiBytesInANumberField) {
    // nodes' first record is the line count (I3); each damaged byte is named, escaped.
    const std::pair<std::string, std::string> cases[] = {
        {std::string("\0", 1) + "12", "\\x0012"}, {"1\x01" "2", "1\\x012"}, {"\xc3\xa9" "1", "\\xc3\\xa91"}};
    for (const auto& [field, shown] : cases) {
        scratch_dir dir;
        dir.write("wnodes.dat", field + "\n0.00000 0.00000 0\n");
        auto result = run_in(dir, NODES_PROGRAM);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.diagnostics, "nodes: wnodes.dat, record 1, columns 1-3: \"" + shown + "\" is not a valid I3 field\n");
    }
    // A megabyte-long record in a text field is read like any other.
    scratch_dir dir;
    std::string text = example("polar.dat");
    std::vector<std::string> records = records_of(text);
    records[0] += std::string((1 << 20) - records[0].size(), 'x');
    dir.write("polar.dat", joined(records, records.size()));
    EXPECT_EQ(run_in(dir, POLAR_PROGRAM).status, 0);
}

TEST(BadInput, OutputsThatCannotBeWritten) {
    for (const auto& p : programs()) {
        std::string text = example(p.example);
        for (const auto& output : p.outputs) {
            // An output that is a directory cannot be opened.
            scratch_dir dir;
            dir.write(p.input, text);
            std::filesystem::create_directory(dir.path() / output);
            auto result = run_in(dir, p.program);
            EXPECT_EQ(result.status, 1) << p.name << " " << output;
            EXPECT_EQ(result.diagnostics, std::string(p.name) + ": cannot open " + output + ": Is a directory\n");

            // A full device: the write fails and is reported, not lost.
            if (!std::filesystem::exists("/dev/full")) continue;
            scratch_dir full_device;
            full_device.write(p.input, text);
            std::filesystem::create_symlink("/dev/full", full_device.path() / output);
            result = run_in(full_device, p.program);
            EXPECT_EQ(result.status, 1) << p.name << " " << output;
            EXPECT_EQ(result.diagnostics, std::string(p.name) + ": cannot write " + output + ": No space left on device\n");
        }
        if (::geteuid() == 0) continue;  // permissions do not hold back root
        scratch_dir read_only;
        read_only.write(p.input, text);
        std::filesystem::permissions(read_only.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        auto result = run_in(read_only, p.program);
        EXPECT_EQ(result.status, 1) << p.name;
        EXPECT_NE(result.diagnostics.find("Permission denied"), std::string::npos) << result.diagnostics;
    }
}

}  // namespace
