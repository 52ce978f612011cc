// Tables read back whole: where a layout's last field stands, how a table's
// lines become records (blank lines skipped, a last line without its line
// feed kept and marked). The diagnostics of a table cut off are tested
// through every reader's real files (tests/cut_tables_test.py).
#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "records/files.hpp"
#include "records/output_editing.hpp"
#include "records/statement_values.hpp"
#include "records/tables.hpp"
#include "records/tests/scratch_files.hpp"

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
        {"(2I3,F6.2)", "            ", false, 0, 0.0f},  // a blank line is no record
        {"(I3,2X,I3,F6.2)", "  1xx  2  1.50", true, 1, 1.5f},
        {"(I3,2X,I3,F6.2)", "  1  2  1.50  ", false, 0, 0.0f},
        {"(2I3)", "  1  2", false, 0, 0.0f},            // a format of other values
        {"(2I3,F6.2,I1)", "  1  2  1.50 1", false, 0, 0.0f},
        {"(2I3,A6)", "  1  2  1.50", false, 0, 0.0f},
        {"(2I3,/,F6.2)", "  1  2  1.50", false, 0, 0.0f},  // two records
    };
    for (const auto& c : cases) {
        records::plain_reader<std::int32_t, std::int32_t, float> plain{records::record_format(c.format)};
        std::int32_t first = 0, second = 0;
        float last = 0.0f;
        EXPECT_EQ(plain.read(c.line, first, second, last), c.read) << c.format << " \"" << c.line << "\"";
        if (c.read) {
            EXPECT_EQ(first, c.first) << c.format;
            EXPECT_EQ(last, c.last) << c.format;
        }
    }
    // A blank line, which reads as zeros, is no record of a table.
    records::plain_reader<std::int32_t, std::int32_t, std::int32_t> integers{records::record_format("(3I4)")};
    std::int32_t numbers[3] = {};
    EXPECT_FALSE(integers.read("            ", numbers[0], numbers[1], numbers[2]));
    EXPECT_TRUE(integers.read("   1   2   3", numbers[0], numbers[1], numbers[2]));
    EXPECT_EQ(numbers[2], 3);
    // Characters: Aw keeps the field's rightmost; a carriage return ends no
    // record read plainly.
    records::plain_reader<std::int32_t, char> text{records::record_format("(I2,A3)")};
    std::int32_t number = 0;
    char character = 0;
    EXPECT_TRUE(text.read(" 7abc", number, character));
    EXPECT_EQ(number, 7);
    EXPECT_EQ(character, 'c');
    EXPECT_FALSE(text.read(" 7ab\r", number, character));
}

// A real field that holds exactly the text of zero is read without being
// converted: whatever a field holds, the reader gives what the plain way
// gives it, bit for bit, or refuses it alike. Each zero text, changed in
// one character at a time, and a field of asterisks where the zero does not
// fit, are read both ways.
TEST(PlainValues, AZeroFieldReadsAsThePlainWayReadsIt) {
    const char* formats[] = {"(E14.6)", "(E11.4)", "(E8.1)",  "(E8.6)", "(F12.6)",
                             "(F8.2)",  "(F8.0)",  "(E16.8)", "(E17.8)"};
    for (const char* text : formats) {
        records::record_format format(text);
        const records::field_place& f = format.fields()[0];
        records::plain_reader<float> plain{format};
        std::string zero;
        if (f.kind == records::item_kind::fixed) records::put_fixed(zero, 0.0f, f.width, f.digits);
        else records::put_exponent(zero, 0.0f, f.width, f.digits);
        std::vector<std::string> fields = {zero, std::string(f.width, '*'), std::string(f.width, ' ')};
        for (std::size_t i = 0; i < zero.size(); ++i)
            for (char c : {'1', '0', ' ', '-', '+', '.', '*', 'E'}) {
                std::string changed = zero;
                changed[i] = c;
                fields.push_back(changed);
            }
        for (const std::string& field : fields) {
            float expected = 7.0f, got = 7.0f;
            bool plain_way = field.find_first_not_of(' ') != std::string::npos &&
                             records::read_plain_real(field, f.digits, expected);
            EXPECT_EQ(plain.read(field, got), plain_way) << text << " \"" << field << "\"";
            if (plain_way) {
                EXPECT_EQ(std::bit_cast<std::uint32_t>(got), std::bit_cast<std::uint32_t>(expected))
                    << text << " \"" << field << "\"";
            }
        }
    }
}

// A line read after the one before it, into the values that line gave,
// reads as it reads alone: where a field's text is that of the line before,
// the value kept is the one its text gives. Each line is the one before
// with one character changed (or none), in every column, to characters that
// make a field read otherwise, fail, or read alike.
TEST(PlainValues, ALineAfterAnotherReadsAsItReadsAlone) {
    const char* formats[] = {"(I3,E14.6,F12.6)", "(F8.2,I3,E11.4)", "(E16.8,F9.3)", "(I6,F7.2,E8.1)", "(F8.2,F8.2)"};
    const char* firsts[] = {"  7 -1.500000E+00   12.000000", "   45.00  2 0.1500E+01", "  0.12345678E+01  -123.456",
                            "     1   1.25 0.1E+01", "   45.00   30.00"};
    for (std::size_t k = 0; k < std::size(formats); ++k) {
        records::plain_reader<std::int32_t, float, float> ifr{records::record_format(formats[k])};
        records::plain_reader<float, std::int32_t, float> fir{records::record_format(formats[k])};
        records::plain_reader<float, float> ff{records::record_format(formats[k])};
        const std::string first = firsts[k];
        std::vector<std::string> seconds = {first};
        for (std::size_t i = 0; i < first.size(); ++i)
            for (char c : {'9', '0', ' ', '-', '.', 'E', 'x'}) {
                std::string changed = first;
                changed[i] = c;
                seconds.push_back(changed);
            }
        // Each field's text where the other stood the line before.
        if (k == 4) seconds.insert(seconds.end(), {"   30.00   45.00", "   45.00   45.00", "   30.00   30.00"});
        for (const std::string& second : seconds) {
            std::int32_t n = 0, n_alone = 0;
            float a = 0.0f, b = 0.0f, a_alone = 0.0f, b_alone = 0.0f;
            bool read = false, alone = false;
            std::string where = std::string(formats[k]) + " \"" + second + "\"";
            if (k == 0) {
                ASSERT_TRUE(ifr.read(first, n, a, b));
                read = ifr.read(second, first, n, a, b);
                alone = ifr.read(second, n_alone, a_alone, b_alone);
            } else if (k == 1) {
                ASSERT_TRUE(fir.read(first, a, n, b));
                read = fir.read(second, first, a, n, b);
                alone = fir.read(second, a_alone, n_alone, b_alone);
            } else if (k == 2 || k == 4) {
                ASSERT_TRUE(ff.read(first, a, b));
                read = ff.read(second, first, a, b);
                alone = ff.read(second, a_alone, b_alone);
            } else {
                ASSERT_TRUE(ifr.read(first, n, a, b));
                read = ifr.read(second, first, n, a, b);
                alone = ifr.read(second, n_alone, a_alone, b_alone);
            }
            EXPECT_EQ(read, alone) << where;
            if (read && alone) {
                EXPECT_EQ(n, n_alone) << where;
                EXPECT_EQ(std::bit_cast<std::uint32_t>(a), std::bit_cast<std::uint32_t>(a_alone)) << where;
                EXPECT_EQ(std::bit_cast<std::uint32_t>(b), std::bit_cast<std::uint32_t>(b_alone)) << where;
            }
        }
    }
}

std::filesystem::path scratch_file(const std::string& content) {
    return records_tests::scratch_file("tables-test", content);
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

enum class reading { record_by_record, in_blocks, a_block_ahead };

// Every record of the file as a table, skipping blank lines: record by
// record, or with the lines that hold no '#' and no carriage return taken
// from whole_lines() blocks of `room` bytes. A block ahead, as a reader on
// two threads reads: the lines of each block are passed only once the
// next block is in hand, and the next block is asked for ahead halfway
// through reading the block, before its second half is read from the
// buffer (which must still hold it), and taken back when that half holds a
// line for a statement.
std::vector<line_record> records_in_blocks_of(const std::string& content, reading way, std::size_t room) {
    auto file = scratch_file(content);
    records::input_file in;
    EXPECT_TRUE(in.open(file.string()));
    in.read_as_table(true);
    std::vector<line_record> got;
    // The lines read from the block before, not yet passed: each line and
    // its bytes.
    std::vector<std::pair<std::string, std::size_t>> waiting;
    std::size_t waiting_bytes = 0;
    bool read_on = true;       // every line of the block before was taken
    std::string_view ahead;    // the next block, asked for ahead
    auto pass_waiting = [&] {
        for (const auto& [line, bytes] : waiting) {
            in.pass_lines(bytes, 1);
            got.push_back({line, in.records_read(), in.ended()});
        }
        waiting.clear();
        waiting_bytes = 0;
    };
    for (;;) {
        if (way != reading::a_block_ahead) pass_waiting();
        std::string_view block = ahead;
        ahead = {};
        if (way != reading::record_by_record && read_on && block.empty()) block = in.whole_lines(room, waiting_bytes);
        pass_waiting();
        std::vector<std::pair<std::string, std::size_t>> lines;
        read_on = true;
        bool asked_ahead = false;
        for (std::size_t taken = 0; taken < block.size();) {
            if (way == reading::a_block_ahead && !asked_ahead && taken >= block.size() / 2) {
                ahead = in.whole_lines(room, block.size(), true);
                asked_ahead = true;
            }
            std::size_t end = block.find('\n', taken);
            std::string_view line = block.substr(taken, end - taken);
            if (line.empty() || line.find_first_of("#\r") != std::string_view::npos ||
                line.find_first_not_of(' ') == std::string_view::npos) {
                read_on = false;
                break;
            }
            lines.emplace_back(std::string(line), end + 1 - taken);
            taken = end + 1;
        }
        if (!read_on && asked_ahead) {
            in.take_back_lines_ahead();
            ahead = {};
        }
        for (const auto& line : lines) waiting_bytes += line.second;
        waiting = std::move(lines);
        if (!waiting.empty()) continue;
        std::string_view record;
        if (in.at_end() || !in.next_record(record)) break;
        got.push_back({std::string(record), in.records_read(), in.ended()});
        read_on = true;
    }
    EXPECT_EQ(in.error(), 0);
    // What a diagnostic may tell of the first line.
    got.push_back({in.starts_with_byte_order_mark() ? "byte-order mark" : "none", 0, true});
    std::filesystem::remove(file);
    return got;
}

TEST(WholeLines, TakenFromTheBufferTheyAreTheRecordsReadOneByOne) {
    const std::string spaces(100000, ' ');
    std::string many;
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        switch (random() % 16) {
        case 0: many += "\n"; break;                                        // blank
        case 1: many += "  \r\n"; break;                                    // blank, carriage return
        case 2: many += "# " + std::to_string(i) + "\n"; break;              // for a statement
        case 3: many += std::string(random() % 300, 'w') + "x\n"; break;    // long
        case 4: many += "cr " + std::to_string(i) + "\r\n"; break;          // for a statement
        default: many += "line " + std::to_string(i) + "\n"; break;
        }
    }
    const std::string contents[] = {
        "",
        "a\nb\n",
        "\xef\xbb\xbf" "a\nb\n",
        "\na\n\n\nb\n\n",
        "a\r\n\r\n   \n  \r\nb\r\n",
        "a\nbc",
        "a\nb\n# c",
        "a\n\n   ",
        "a\n" + spaces + "\r\nb\n",
        "a\n" + spaces + "b\nc\n",
        "a\n" + spaces + "b",
        many,
        many + "last without its line feed",
    };
    for (std::size_t room : {std::size_t{16}, std::size_t{4096}, std::size_t{40000}, std::size_t{1} << 20}) {
        for (const std::string& content : contents) {
            auto one_by_one = records_in_blocks_of(content, reading::record_by_record, room);
            for (reading way : {reading::in_blocks, reading::a_block_ahead})
                EXPECT_EQ(records_in_blocks_of(content, way, room), one_by_one)
                    << "room " << room << ", content of " << content.size() << " bytes: " << content.substr(0, 20)
                    << (way == reading::a_block_ahead ? ", a block ahead" : "");
        }
    }
}

}  // namespace
