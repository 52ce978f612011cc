// Tables read back whole: where a layout's last field stands, how a table's
// lines become records (blank lines skipped, a last line without its line
// feed kept and marked). The diagnostics of a table cut off are tested
// through every reader's real files (tests/cut_tables_test.py).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "records/files.hpp"
#include "records/statement_values.hpp"
#include "records/tables.hpp"

namespace {

TEST(LastField, ColumnsOfTheLastValueOfTheRecord) {
    struct case_ {
        const char* format;
        std::size_t from;
        std::size_t to;
    } cases[] = {
        {"(3F5.2)", 11, 15},
        {"(4I6,F8.2,I3)", 33, 35},
        {"(I6,3I3,2F12.6)", 28, 39},
        {"(3E11.4)", 23, 33},
        {"(14A1,6E14.6)", 85, 98},
        {"(1X,E11.4,3(1X,E11.4))", 38, 48},
        {"(1X,E11.4,3(1X,E11.4),3(1X,E11.4))", 74, 84},
        {"(1X,' I=',I2,' SIGZ=',E10.3,' Z/H=',F6.4,' SIGHZ=',E10.3)", 41, 50},
        {"(1X,' I=',I2,' Y/B=',F6.4,' SIGZ=',E10.3)", 24, 33},
        {"(I6,3I3,2F12.6,' end')", 28, 39},  // text after the last value
        {"(I4,/,2X,I3)", 3, 5},               // the last record's
        {"(I4,/)", 0, 0},
        {"('no values')", 0, 0},
    };
    for (const auto& c : cases) {
        records::field_columns f = records::last_field(records::record_format(c.format));
        EXPECT_EQ(f.from, c.from) << c.format;
        EXPECT_EQ(f.to, c.to) << c.format;
    }
}

TEST(PlainValues, OnlyWhatAStatementWouldReadAlikeIsReadWithoutOne) {
    struct case_ {
        const char* format;
        std::string line;
        bool read;
        std::int32_t first;  // the first value, when read
        float last;          // the last value, when read
    } cases[] = {
        {"(2I3,F6.2)", "  1 -2  1.50", false, 0, 0.0f},  // a sign before an integer: the statement's
        {"(2I3,F6.2)", "  1  2  1.50", true, 1, 1.5f},
        {"(2I3,F6.2)", "  1  2  1.50 and more", true, 1, 1.5f},
        {"(2I3,F6.2)", "  1  2 -1.5 ", false, 0, 0.0f},  // blanks after the value
        {"(2I3,F6.2)", "  1  2  1.5", false, 0, 0.0f},   // short of the last column
        {"(2I3,F6.2)", "  1  2  1.50\r", false, 0, 0.0f},
        {"(3I4)", "            ", false, 0, 0.0f},        // a blank line is no record
        {"(3I4)", "   1   2   3", true, 1, 0.0f},
        {"(I2,A1)", " 7\r", false, 0, 0.0f},
        {"(I2,A3)", " 7abc", true, 7, 0.0f},
        {"(I2,/,I2)", " 1 2", false, 0, 0.0f},           // two records
    };
    for (const auto& c : cases) {
        records::record_format format(c.format);
        std::int32_t ints[3] = {};
        float real = 0.0f;
        char character = 0;
        std::vector<records::input_place> places;
        std::size_t next_int = 0;
        for (const records::field_place& f : format.fields()) {
            if (f.value == records::item_kind::integer) places.emplace_back(ints[next_int++]);
            else if (f.value == records::item_kind::character) places.emplace_back(character);
            else places.emplace_back(real);
        }
        if (format.fields().empty()) places = {records::input_place(ints[0]), records::input_place(ints[1])};
        EXPECT_EQ(records::read_plain_values(format, c.line, places), c.read) << c.format << " \"" << c.line << "\"";
        if (c.read) {
            EXPECT_EQ(ints[0], c.first) << c.format;
            EXPECT_EQ(real, c.last) << c.format;
        }
    }
}

std::filesystem::path scratch_file(const std::string& content) {
    static int count = 0;
    auto file = std::filesystem::temp_directory_path() /
                ("tables-test-" + std::to_string(::getpid()) + "-" + std::to_string(count++));
    std::ofstream(file, std::ios::binary) << content;
    return file;
}

// A record as next_record hands it out: its text, its line, whether it has its line feed.
struct line_record {
    std::string text;
    long line;
    bool ended;
    bool operator==(const line_record&) const = default;
};

std::ostream& operator<<(std::ostream& out, const line_record& r) {
    return out << "{\"" << r.text.substr(0, 40) << "\" (" << r.text.size() << "), line " << r.line
               << (r.ended ? "" : ", no line end") << "}";
}

// Every record of the file, asking at_end before each as a table's reader does.
std::vector<line_record> records_of(const std::string& content, bool table, bool skip_blank_lines,
                                    long* blank_lines = nullptr) {
    auto file = scratch_file(content);
    records::input_file in;
    EXPECT_TRUE(in.open(file.string()));
    if (table) in.read_as_table(skip_blank_lines);
    std::vector<line_record> got;
    std::string_view record;
    while (!in.at_end() && in.next_record(record)) got.push_back({std::string(record), in.records_read(), in.ended()});
    EXPECT_EQ(in.error(), 0);
    EXPECT_FALSE(in.too_long());
    if (blank_lines != nullptr) *blank_lines = in.blank_lines();
    std::filesystem::remove(file);
    return got;
}

TEST(TableLines, BlankLinesAreNoRecordsAndALastLineWithoutItsLineFeedIsMarked) {
    const std::size_t buffer = 1 << 16;  // the file's read buffer
    const std::string spaces(100000, ' ');
    struct case_ {
        const char* what;
        std::string content;
        std::vector<line_record> records;
        long blank_lines;
    } cases[] = {
        {"empty file", "", {}, 0},
        {"whole lines", "a\nb\n", {{"a", 1, true}, {"b", 2, true}}, 0},
        {"blank lines inside and at the end", "\na\n\n\nb\n\n", {{"a", 2, true}, {"b", 5, true}}, 4},
        {"a carriage return, blanks, or both, before the line feed", "a\r\n\r\n   \n  \r\nb\r\n",
         {{"a", 1, true}, {"b", 5, true}}, 3},
        {"blanks around a value are a record", "  a \n", {{"  a ", 1, true}}, 0},
        {"a lone carriage return inside is no blank line", " \r \nb\n", {{" \r ", 1, true}, {"b", 2, true}}, 0},
        {"last line without its line feed", "a\nbc", {{"a", 1, true}, {"bc", 2, false}}, 0},
        {"last line a carriage return alone", "a\r\n\r", {{"a", 1, true}, {"", 2, false}}, 0},
        {"last line blanks alone", "a\n\n   ", {{"a", 1, true}, {"   ", 3, false}}, 1},
        {"carriage return at the end of the read buffer, line feed after it",
         std::string(buffer - 1, 'x') + "\n\r\nb\n", {{std::string(buffer - 1, 'x'), 1, true}, {"b", 3, true}}, 1},
        {"blank line longer than the read buffer", "a\n" + spaces + "\r\nb\n", {{"a", 1, true}, {"b", 3, true}}, 1},
        {"record longer than the read buffer, without its line feed", "a\n" + spaces + "b",
         {{"a", 1, true}, {spaces + "b", 2, false}}, 0},
    };
    for (const auto& c : cases) {
        long blanks = -1;
        EXPECT_EQ(records_of(c.content, true, true, &blanks), c.records) << c.what;
        EXPECT_EQ(blanks, c.blank_lines) << c.what;
    }
}

TEST(TableLines, EveryLineIsARecordWhenBlankLinesAreKeptOrTheFileIsNoTable) {
    const std::string content = "a\n\n \r\nb";
    const std::vector<line_record> every = {{"a", 1, true}, {"", 2, true}, {" ", 3, true}, {"b", 4, false}};
    EXPECT_EQ(records_of(content, true, false), every);
    EXPECT_EQ(records_of(content, false, false), every);
}

TEST(TableLines, ALineTooLongIsFoundWhenAskingForTheNextRecord) {
    auto file = scratch_file("a\n\n" + std::string(records::max_record_length + 1, ' ') + "x\n");
    records::input_file in;
    ASSERT_TRUE(in.open(file.string()));
    in.read_as_table(true);
    std::string_view record;
    ASSERT_TRUE(in.next_record(record));
    EXPECT_TRUE(in.at_end());
    EXPECT_TRUE(in.too_long());
    EXPECT_EQ(in.records_read(), 3);
    EXPECT_FALSE(in.next_record(record));
    std::filesystem::remove(file);
}

}  // namespace
