// A table read many lines at a time gives what reading it record by record
// gives: the same values on the same lines, the same diagnostic, on one
// thread or two. (How the lines come from the buffer in blocks is tested
// with the table's lines, in tables_test.cpp.)
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "records/block_reading.hpp"
#include "records/run.hpp"
#include "records/tables.hpp"
#include "records/tests/scratch_files.hpp"

namespace {

std::filesystem::path scratch_file(const std::string& content) {
    return records_tests::scratch_file("block-reading-test", content);
}

constexpr records::input_unit table_unit{5};

struct node {
    std::int32_t number = 0, flags[3] = {};
    float h = 0.0f, v = 0.0f;
    long line = 0;
    bool operator==(const node&) const = default;
};

std::ostream& operator<<(std::ostream& out, const node& n) {
    return out << "{" << n.number << " " << n.flags[0] << n.flags[1] << n.flags[2] << " " << n.h << " " << n.v
               << ", line " << n.line << "}";
}

struct outcome {
    int status = -1;
    std::string said;
    std::vector<node> nodes;
};

const records::record_format& node_format() {
    static const records::record_format format("(I6,3I3,2F12.6)");
    return format;
}

// Where a node record's values go, in the format's order.
std::array<records::input_place, 6> places_of(node& n) {
    return {records::input_place(n.number),   records::input_place(n.flags[0]), records::input_place(n.flags[1]),
            records::input_place(n.flags[2]), records::input_place(n.h),        records::input_place(n.v)};
}

// Reads the table to its end, in blocks or record by record.
outcome read_nodes(const std::string& content, bool in_blocks) {
    auto file = scratch_file(content);
    std::FILE* diagnostics = std::tmpfile();
    outcome o;
    {
        records::run r("test", diagnostics, nullptr);
        o.status = r.execute([&](records::run& run) {
            run.open_or_stop(table_unit, file.string());
            run.read_as_table(table_unit);
            static const records::field_columns last = records::last_field(node_format());
            auto read_one = [&] {
                if (!run.has_record(table_unit)) return false;
                node n;
                run.read_table_values(table_unit, node_format(), last, "v", places_of(n));
                n.line = run.record_number(table_unit);
                o.nodes.push_back(n);
                return true;
            };
            if (!in_blocks) {
                while (read_one()) {
                }
                return;
            }
            auto read_plain = [](std::string_view line, std::string_view previous, node& n) {
                static const records::plain_reader<std::int32_t, std::int32_t, std::int32_t, std::int32_t, float, float>
                    plain(node_format());
                return plain.read(line, previous, n.number, n.flags[0], n.flags[1], n.flags[2], n.h, n.v);
            };
            auto take = [&](node n) {
                n.line = run.record_number(table_unit);
                o.nodes.push_back(n);
            };
            records::read_in_blocks<node>(run, table_unit, read_plain, take, read_one);
        });
    }
    std::rewind(diagnostics);
    for (int c; (c = std::fgetc(diagnostics)) != EOF;) o.said.push_back(static_cast<char>(c));
    std::fclose(diagnostics);
    // The file's name, which differs from run to run, as "table".
    if (std::size_t at = o.said.find(file.string()); at != std::string::npos) o.said.replace(at, file.string().size(), "table");
    std::filesystem::remove(file);
    return o;
}

// A node table of `count` records, some of them (about 7 in `rarity`) in
// forms only a statement reads (a plus sign, a carriage return, a
// coordinate of nine digits), or blank lines among them; text after the
// last field is read plainly.
std::string node_table(int count, unsigned rarity = 64) {
    std::string text;
    std::mt19937 random(11);
    char line[80];
    for (int i = 1; i <= count; ++i) {
        // Coordinates of up to eight digits, which are read plainly; now and
        // then one of more, which a statement reads.
        float h = static_cast<float>(random() % 32000) / 1000.0f - 16.0f;
        float v = static_cast<float>(random() % 16000) / 1000.0f;
        if (random() % rarity == 0) v += 1000.0f;
        std::snprintf(line, sizeof line, "%6d%3d%3d%3d%12.6f%12.6f", i, i % 2, 0, i % 3 == 0, h, v);
        std::string record = line;
        switch (random() % rarity) {
        case 0: text += "\n"; break;
        case 1: record[27] = '+'; break;              // "+" before h, where the blank was
        case 2: record += "  trailing text"; break;
        case 3: record += "\r"; break;
        case 4: text += "      \r\n"; break;
        case 5: text += std::string(45, ' ') + "\n"; break;  // blank, as long as a record
        default: break;
        }
        text += record + "\n";
    }
    return text;
}

TEST(ReadInBlocks, ATableReadInBlocksIsTheTableReadRecordByRecord) {
    // From a table that fits one small block to one of several blocks, each
    // read in two parts at once; the lines for a statement now frequent, now
    // rare, so that blocks are cut short in either part, and the file read
    // ahead is taken back.
    for (auto [count, rarity] : {std::pair{3, 64u}, {2000, 64u}, {30000, 64u}, {60000, 4096u}, {100000, 16384u}, {60000, 65536u}}) {
        std::string table = node_table(count, rarity);
        outcome one_by_one = read_nodes(table, false);
        ASSERT_EQ(one_by_one.status, 0) << one_by_one.said;
        ASSERT_EQ(one_by_one.nodes.size(), static_cast<std::size_t>(count));
        outcome in_blocks = read_nodes(table, true);
        EXPECT_EQ(in_blocks.status, 0) << in_blocks.said;
        EXPECT_EQ(in_blocks.nodes, one_by_one.nodes) << count << " records";
    }
}

TEST(ReadInBlocks, AFaultIsNamedAsRecordByRecordAfterTheSameRecords) {
    std::string table = node_table(30000);
    const struct {
        const char* what;
        std::size_t at;  // a fraction of the table, in thousandths
        std::string text;
    } faults[] = {
        {"a malformed field", 300, "  1x34  0  0  0    0.000000    0.000000\n"},
        {"a record cut short", 800, "   734  0  0  0    0.000000\n"},
        {"a field of letters in the second half of a block", 620, "   735  0  0  0    abcdefgh    0.000000\n"},
    };
    for (const auto& f : faults) {
        std::string damaged = table;
        std::size_t at = damaged.find('\n', damaged.size() * f.at / 1000) + 1;
        damaged.insert(at, f.text);
        outcome one_by_one = read_nodes(damaged, false);
        outcome in_blocks = read_nodes(damaged, true);
        EXPECT_EQ(one_by_one.status, 1) << f.what;
        EXPECT_EQ(in_blocks.status, one_by_one.status) << f.what;
        EXPECT_EQ(in_blocks.said, one_by_one.said) << f.what;
        EXPECT_EQ(in_blocks.nodes, one_by_one.nodes) << f.what;
    }
    // A last line without its line feed.
    std::string cut = table.substr(0, table.size() - 1);
    outcome one_by_one = read_nodes(cut, false);
    outcome in_blocks = read_nodes(cut, true);
    EXPECT_EQ(one_by_one.status, 1);
    EXPECT_EQ(in_blocks.said, one_by_one.said);
    EXPECT_EQ(in_blocks.nodes.size(), one_by_one.nodes.size());
}

}  // namespace
