// An output file written past a size the system refuses (a file size limit
// makes the refusal certain, without a disk to fill): whether the refusal
// comes in the first small blocks or once blocks have reached their largest
// size, the file ends with its last whole record and says how many it holds.
// Without a limit every record arrives, in order. The signals are set up as
// every program sets them up, so a limit ends the test process by SIGXFSZ
// unless that set-up turns the signal into a failed write.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "records/files.hpp"
#include "records/interrupts.hpp"

namespace {

// Record k: its number in a field of 9, then 27 more characters, as long
// as an element record.
std::string record(long k) {
    std::string number = std::to_string(k);
    return std::string(9 - number.size(), ' ') + number + std::string(27, k % 2 != 0 ? 'a' : 'b');
}

// The test process's signal set-up and file size limit, put back however
// the test ends, a failed assertion included.
class saved_process_settings {
public:
    saved_process_settings() {
        for (std::size_t i = 0; i < std::size(signals_); ++i) sigaction(signals_[i], nullptr, &actions_[i]);
        ok_ = getrlimit(RLIMIT_FSIZE, &limit_) == 0;
    }
    saved_process_settings(const saved_process_settings&) = delete;
    saved_process_settings& operator=(const saved_process_settings&) = delete;
    ~saved_process_settings() {
        if (ok_) setrlimit(RLIMIT_FSIZE, &limit_);
        for (std::size_t i = 0; i < std::size(signals_); ++i) sigaction(signals_[i], &actions_[i], nullptr);
    }
    bool ok() const { return ok_; }
    const struct rlimit& limit() const { return limit_; }

private:
    static constexpr int signals_[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ};
    struct sigaction actions_[std::size(signals_)] {};
    struct rlimit limit_ {};
    bool ok_ = false;
};

// A scratch file, removed however the test ends.
struct scratch_file {
    std::filesystem::path path;
    ~scratch_file() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

TEST(OutputFile, FailedWritesLeaveWholeRecords) {
    saved_process_settings saved;
    ASSERT_TRUE(saved.ok());
    const struct rlimit before = saved.limit();
    records::handle_interrupts();
    constexpr long records = 200000;  // 7.2 MB, well past the largest block
    // No limit; a limit inside the first, small blocks; one after blocks
    // reached their largest size; one that falls on a record's end.
    // Records one at a time, and whole lines 1000 records at a time (37 kB)
    // and 20000 (740 kB, more than a block: written as they stand).
    for (long batch : {0L, 1000L, 20000L})
    for (rlim_t limit : {RLIM_INFINITY, rlim_t{10000}, rlim_t{3000000}, rlim_t{37 * 1000}}) {
        scratch_file scratch{std::filesystem::temp_directory_path() /
                             ("output-file-test-" + std::to_string(::getpid()) + "-" + std::to_string(limit))};
        const std::filesystem::path& path = scratch.path;
        struct rlimit lowered = before;
        lowered.rlim_cur = limit;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
        long written = 0;
        int error = 0;
        long in_file = 0;
        {
            records::output_file out;
            ASSERT_TRUE(out.open(path.string()));
            ASSERT_TRUE(out.start());
            if (batch == 0) {
                while (written < records && out.write_record(record(written + 1))) ++written;
            } else {
                for (bool ok = true; ok && written < records;) {
                    std::string lines;
                    for (long k = written + 1; k <= written + batch; ++k) lines += record(k) + "\n";
                    if ((ok = out.write_lines(lines))) written += batch;
                }
            }
            bool closed = out.close();
            error = out.error();
            in_file = out.records_in_file();
            EXPECT_EQ(closed, limit == RLIM_INFINITY) << limit;
        }
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &before), 0);

        std::ifstream back(path, std::ios::binary);
        std::stringstream text;
        text << back.rdbuf();
        std::string data = text.str();
        std::string expected;
        for (long k = 1; k <= in_file; ++k) expected += record(k) + "\n";
        EXPECT_TRUE(data == expected) << "batch " << batch << ", limit " << limit << ": the file's " << data.size()
                                      << " bytes are not its first " << in_file << " records";
        if (limit == RLIM_INFINITY) {
            EXPECT_EQ(in_file, records);
        } else {
            EXPECT_EQ(error, EFBIG) << limit;
            EXPECT_EQ(in_file, static_cast<long>(limit) / 37) << limit;
            if (batch == 0) {
                EXPECT_LE(in_file, written);
            }
        }
    }
}

// Records shorter than a block, as long as the blocks at each stage, and
// longer than the largest: each arrives whole and in order, whatever block
// it falls in.
TEST(OutputFile, RecordsOfEveryLengthArriveWhole) {
    scratch_file scratch{std::filesystem::temp_directory_path() / ("output-file-lengths-" + std::to_string(::getpid()))};
    const std::filesystem::path& path = scratch.path;
    std::string expected;
    {
        records::output_file out;
        ASSERT_TRUE(out.open(path.string()));
        ASSERT_TRUE(out.start());
        // Short records of each size the copy of a record tells apart, too.
        std::size_t lengths[] = {0,  1,  4095, 4096, 80, 300000, 7,  1 << 18, (1 << 18) - 1, 1000000, 12, 8191,
                                 2,  3,  4,    5,    8,  9,      15, 16,      17,            31,      32, 33,
                                 63, 64, 65};
        // Rounds of single records, then of all the lengths as one text of
        // whole lines, and of pairs of them.
        for (int round = 0; round < 6; ++round) {
            std::string lines;
            for (std::size_t length : lengths) {
                std::string line(length, ' ');
                for (std::size_t i = 0; i < length; ++i) line[i] = static_cast<char>('a' + (expected.size() + i) % 26);
                expected += line + "\n";
                if (round < 3) ASSERT_TRUE(out.write_record(line));
                else lines += line + "\n";
                if (round == 5 && lines.size() > length + 1) {
                    ASSERT_TRUE(out.write_lines(lines));
                    lines.clear();
                }
            }
            ASSERT_TRUE(out.write_lines(lines));
        }
        // Texts of nothing but line feeds, and of short lines, counted as
        // the records they are.
        ASSERT_TRUE(out.write_lines(std::string(1000, '\n')));
        expected += std::string(1000, '\n');
        for (int k = 0; k < 300; ++k) expected += "x\n";
        ASSERT_TRUE(out.write_lines(expected.substr(expected.size() - 600)));
        ASSERT_TRUE(out.close());
        EXPECT_EQ(out.records_in_file(), static_cast<long>(6 * std::size(lengths)) + 1000 + 300);
    }
    std::ifstream back(path, std::ios::binary);
    std::stringstream text;
    text << back.rdbuf();
    EXPECT_TRUE(text.str() == expected) << "the file's " << text.str().size() << " bytes are not the "
                                        << expected.size() << " written";
}

}  // namespace
