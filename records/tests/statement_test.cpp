// Read and write statements through a real file: format control, reversion,
// record ends, and the faults a program's own formats could make.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <limits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "records/run.hpp"

namespace {

using item = std::variant<std::int32_t, float, char>;

struct outcome {
    int status = -1;
    std::string said;  // the diagnostics
    std::string file;  // the unit's file afterwards
};

// The units of the tests: 5 reads, 6 writes.
constexpr records::input_unit in{5};
constexpr records::output_unit out{6};

// Runs `body` with unit 5 reading `input`, or with unit 6 writing a new file.
outcome in_layer(const std::string* input, const std::function<void(records::run&)>& body) {
    static int count = 0;
    auto file = std::filesystem::temp_directory_path() /
                ("statement-test-" + std::to_string(::getpid()) + "-" + std::to_string(count++));
    if (input != nullptr) std::ofstream(file, std::ios::binary) << *input;
    std::FILE* diagnostics = std::tmpfile();
    outcome o;
    {
        records::run r("test", diagnostics, nullptr);
        o.status = r.execute([&](records::run& run) {
            if (input != nullptr) run.open_or_stop(in, file.string());
            else run.open_or_stop(out, file.string(), records::file_status::unknown);
            body(run);
        });
    }
    std::rewind(diagnostics);
    for (int c; (c = std::fgetc(diagnostics)) != EOF;) o.said.push_back(static_cast<char>(c));
    std::fclose(diagnostics);
    std::stringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    o.file = text.str();
    std::filesystem::remove(file);
    return o;
}

struct write_case {
    const char* format;
    std::vector<item> items;
    const char* text;
};

TEST(WriteStatement, FormatControlReversionAndRecordEnds) {
    const write_case cases[] = {
        {"(I6,3I3,2F12.6)", {17, 0, 1, 0, 0.0f, 12.0f}, "    17  0  1  0    0.000000   12.000000\n"},
        // Literals up to the next data descriptor are still written.
        {"(I1,'/',6(I3,'.',I3,'.',I3,'/'))", {1, 2, 3, 4}, "1/  2.  3.  4/\n"},
        {"(I1,'/',6(I3,'.',I3,'.',I3,'/'))", {1, 2, 3, 4, 5}, "1/  2.  3.  4/  5.\n"},
        // Reversion to the last top-level group; without a group to the start.
        {"(1X,E11.4,3(1X,E11.4))", {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f},
         "  0.1000E+01  0.2000E+01  0.3000E+01  0.4000E+01\n  0.5000E+01  0.6000E+01\n"},
        {"(3F5.2)", {1.0f, 2.0f, 3.0f, 4.0f}, " 1.00 2.00 3.00\n 4.00\n"},
        {"(I2,2(I3,1X))", {1, 2, 3, 4, 5, 6}, " 1  2   3\n  4   5\n  6\n"},
        {"(I1,2(I2,(I3)),I4)", {1, 2, 3, 4, 5, 6, 7, 8}, "1 2  3 4  5   6\n 7  8\n"},
        // No items: the format runs up to its first data descriptor or its end.
        {"('1')", {}, "1\n"},
        {"(' A=',I3,' B')", {}, " A=\n"},
        {"()", {}, "\n"},
        // Leading and trailing bare slashes give empty records.
        {"(//' C',/)", {}, "\n\n C\n\n"},
        {"(18X,'STIFFNESSES',2A1,/)", {'k', 'N'}, "                  STIFFNESSESkN\n\n"},
        // nX adds nothing unless something is written after it.
        {"(I2,5X)", {7}, " 7\n"},
        {"(I2,5X,A1)", {7, 'z'}, " 7     z\n"},
        {"(3X,'a.b/c')", {}, "   a.b/c\n"},
        {"(1X,A3,E10.3,' end')", {'q', 1.5f}, "   q 0.150E+01 end\n"},
        {"(2X,I3,F6.1,4X)", {-5, -0.25f}, "   -5  -0.2\n"},
    };
    // Item by item, and as one statement of values, which a format taking
    // them in one record writes straight into the file's block.
    for (const write_case& c : cases) {
        records::record_format f(c.format);
        outcome by_item = in_layer(nullptr, [&](records::run& r) {
            r.begin_write(out, f);
            for (const item& i : c.items) std::visit([&r](auto v) { r.write_item(v); }, i);
            r.end_write();
        });
        EXPECT_EQ(by_item.status, 0) << c.format << ": " << by_item.said;
        EXPECT_EQ(by_item.file, c.text) << c.format;
        std::vector<records::run::output_value> values;
        for (const item& i : c.items) std::visit([&values](auto v) { values.emplace_back(v); }, i);
        outcome whole = in_layer(nullptr, [&](records::run& r) { r.write_values(out, f, values); });
        EXPECT_EQ(whole.status, 0) << c.format << ": " << whole.said;
        EXPECT_EQ(whole.file, c.text) << c.format << " as one statement";
    }
}

// A run of whole write statements on one unit, each record made from the
// one before where values repeat, gives the file the same statements item
// by item give: values that shrink, grow, repeat, overflow their field,
// differ only in sign or in a NaN's bits, and formats that alternate (a
// copy of a format, and one of the same length, among them).
TEST(WriteStatement, SuccessiveRecordsAgreeWithItemByItem) {
    records::record_format table("(I6,3I3,2F12.6)");
    records::record_format other("(1X,A3,E10.3,' end',I2)");
    records::record_format copy = table;
    records::record_format same_length("(I6,3I3,2E12.4)");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float other_nan = std::bit_cast<float>(std::bit_cast<std::uint32_t>(nan) | 1u);
    struct statement {
        const records::record_format* format;
        std::vector<item> items;
    };
    const std::vector<statement> statements = {
        {&table, {123456, 1, 0, 7, 12345.5f, -0.25f}},
        {&table, {7, 1, 0, 7, 12345.5f, -0.25f}},
        {&table, {7, 10, 0, 7, 1.0f, 0.25f}},
        {&table, {-99999, 10, 0, -7, 1.0f, 0.25f}},
        {&table, {-99999, 10, 0, -7, 1e9f, -0.0f}},
        {&table, {1, 1, 1, 1, 1e9f, 0.0f}},
        {&other, {'q', 1.5f, 99}},
        {&table, {1, 1, 1, 1, 1e9f, 0.0f}},
        {&other, {'r', 1.5f, 100}},
        {&other, {'r', nan, 5}},
        {&other, {'r', other_nan, 5}},
        {&copy, {1, 1, 1, 1, 1e9f, 0.0f}},
        {&copy, {2, 1, 1, 1, 3.0f, 0.0f}},
        {&table, {2, 1, 1, 1, 3.0f, 0.0f}},
        {&same_length, {2, 1, 1, 1, 3.0f, 0.0f}},
    };
    outcome by_item = in_layer(nullptr, [&](records::run& r) {
        for (const statement& s : statements) {
            r.begin_write(out, *s.format);
            for (const item& i : s.items) std::visit([&r](auto v) { r.write_item(v); }, i);
            r.end_write();
        }
    });
    outcome whole = in_layer(nullptr, [&](records::run& r) {
        for (const statement& s : statements) {
            std::vector<records::run::output_value> values;
            for (const item& i : s.items) std::visit([&values](auto v) { values.emplace_back(v); }, i);
            r.write_values(out, *s.format, values);
        }
    });
    EXPECT_EQ(by_item.status, 0) << by_item.said;
    EXPECT_EQ(whole.status, 0) << whole.said;
    EXPECT_EQ(whole.file, by_item.file);
    EXPECT_EQ(std::count(whole.file.begin(), whole.file.end(), '\n'), static_cast<long>(statements.size()));
}

struct read_case {
    const char* text;
    const char* format;
    int items;  // integers per statement
    int statements;
    std::vector<std::int32_t> values;
};

TEST(ReadStatement, RecordsFieldsAndReversion) {
    const read_case cases[] = {
        // Fields past the end of a short line read as blanks.
        {"5 \n", "(I1,1X,I2,1X,I4)", 3, 1, {5, 0, 0}},
        {"  1\n  2\n", "(I4,/,I4)", 2, 1, {1, 2}},
        // A slash before the next descriptor moves on even without a further item.
        {"1\n2\n3\n4\n", "(I1,/)", 1, 2, {1, 3}},
        {"1 2 3\n 4 5\n", "(I1,2(1X,I1))", 5, 1, {1, 2, 3, 4, 5}},
        {"12345\n67\n", "(I2)", 1, 2, {12, 67}},
        {"123456789\n", "(2X,I2,3X,I1)", 2, 1, {34, 8}},
        // A carriage return before the line feed belongs to the line end; a
        // last line without its line feed is a record.
        {"  2\r\n  3", "(I3)", 1, 2, {2, 3}},
        {"1 garbage\n", "(I1)", 1, 1, {1}},
    };
    for (const read_case& c : cases) {
        records::record_format f(c.format);
        std::vector<std::int32_t> values;
        std::string text = c.text;
        outcome o = in_layer(&text, [&](records::run& r) {
            for (int s = 0; s < c.statements; ++s) {
                r.begin_read(in, f);
                for (int i = 0; i < c.items; ++i) r.read_int(values.emplace_back(-1));
                r.end_read();
            }
        });
        EXPECT_EQ(o.status, 0) << c.format << ": " << o.said;
        EXPECT_EQ(values, c.values) << c.format;
    }
}

// Faults in a program's own use of the layer end the run with their own
// status and line, apart from bad input (status 1).
TEST(Statement, InternalFaultsEndTheRunApartFromBadInput) {
    records::record_format literal("('1')");
    records::record_format i3("(I3)");
    struct fault_case {
        const char* what;
        std::function<void(records::run&)> body;
        const char* line;
    };
    const fault_case cases[] = {
        {"no descriptor", [&](records::run& r) { r.write(out, literal, 3); },
         "test: internal fault: format ('1') has no descriptor for a further item\n"},
        {"kinds", [&](records::run& r) { r.write(out, i3, 1.5f); },
         "test: internal fault: I3 of format (I3) meets an item of another kind\n"},
        {"unit not open", [&](records::run& r) { r.write(records::output_unit{7}, i3, 1); },
         "test: internal fault: write on unit 7, which is not open\n"},
        {"nested", [&](records::run& r) {
             r.begin_write(out, i3);
             r.write(out, i3, 1);
         },
         "test: internal fault: write inside another statement\n"},
        {"after stop_run", [&](records::run& r) {
             r.stop_run();
             r.write(out, i3, 1);
         },
         "test: internal fault: write after stop_run\n"},
        {"read from an output", [&](records::run& r) {
             std::int32_t v = 0;
             r.read(records::input_unit{6}, i3, v);
         },
         "test: internal fault: read from output file "},
        // A failed check of a program's own, as a library reports it.
        {"out_of_range", [&](records::run&) { throw std::out_of_range("matrix element outside its rows"); },
         "test: internal fault: matrix element outside its rows\n"},
        {"unknown", [&](records::run&) { throw 3; }, "test: internal fault: an exception of an unknown type\n"},
    };
    for (const fault_case& c : cases) {
        outcome o = in_layer(nullptr, c.body);
        EXPECT_EQ(o.status, records::run::internal_fault_status) << c.what << ": " << o.said;
        EXPECT_EQ(o.said.rfind(c.line, 0), 0u) << c.what << ": " << o.said;
    }
}

// A run ends one way: the main routine returns (stop_run returns too), or
// the run stops on a fault; either way the records written are whole in the
// file and the status says how it ended.
TEST(Statement, EveryRunEndsThroughOnePath) {
    records::record_format i3("(I3)");
    struct end_case {
        const char* what;
        std::function<void(records::run&)> body;
        int status;
        const char* said;
        const char* file;
    };
    bool after_stop = false;
    const end_case cases[] = {
        {"returns", [&](records::run& r) { r.write(out, i3, 1); }, 0, "", "  1\n"},
        {"stop_run returns", [&](records::run& r) {
             r.write(out, i3, 2);
             r.stop_run();
             after_stop = true;
         },
         0, "", "  2\n"},
        {"stop_run(1)", [&](records::run& r) {
             r.write(out, i3, 3);
             r.stop_run(1);
         },
         1, "", "  3\n"},
        {"fail", [&](records::run& r) {
             r.write(out, i3, 4);
             r.fail("the mesh has no elements");
         },
         1, "test: the mesh has no elements\n", "  4\n"},
        {"failed open", [&](records::run& r) {
             r.write(out, i3, 5);
             r.open_or_stop(records::input_unit{8}, "/nonexistent-folder/in.dat");
             r.write(out, i3, 6);
         },
         1, "test: cannot open /nonexistent-folder/in.dat: No such file or directory\n", "  5\n"},
    };
    for (const end_case& c : cases) {
        outcome o = in_layer(nullptr, c.body);
        EXPECT_EQ(o.status, c.status) << c.what;
        EXPECT_EQ(o.said, c.said) << c.what;
        EXPECT_EQ(o.file, c.file) << c.what;
    }
    EXPECT_TRUE(after_stop);
}

TEST(Statement, AValueOfAnotherKindKeepsTheRecordsBeforeIt) {
    // A value of another kind after one that fits: the records before it
    // are whole in the file, and nothing of its own record is.
    records::record_format pair("(I3,F5.1)");
    outcome late = in_layer(nullptr, [&](records::run& r) {
        r.write(out, pair, 7, 1.5f);
        r.write(out, pair, 8, 2);
    });
    EXPECT_EQ(late.status, records::run::internal_fault_status);
    EXPECT_NE(late.said.find("meets an item of another kind"), std::string::npos) << late.said;
    EXPECT_EQ(late.file, "  7  1.5\n");
}

}  // namespace
