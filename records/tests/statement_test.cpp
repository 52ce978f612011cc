// Read and write statements through real files: format control, reversion,
// record ends, the end of a run, diagnostics and the pause.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "records/run.hpp"
#include "tests/support/scratch.hpp"

namespace {

using records::file_status;
using records::record_format;
using records::run;
using suite_test::records_of;
using suite_test::scratch_dir;

std::string slurp(std::FILE* f) {
    std::string text;
    std::rewind(f);
    for (int c; (c = std::fgetc(f)) != EOF;) text.push_back(static_cast<char>(c));
    return text;
}

// A run of the layer in a scratch folder, with its diagnostics and operator
// input held in temporary files.
struct layer_run {
    scratch_dir dir;
    std::FILE* diagnostics = std::tmpfile();
    std::FILE* operator_input = std::tmpfile();

    ~layer_run() {
        std::fclose(diagnostics);
        std::fclose(operator_input);
    }
    std::string path(const std::string& name) const { return (dir.path() / name).string(); }
    void operator_types(const std::string& text) {
        std::fputs(text.c_str(), operator_input);
        std::rewind(operator_input);
    }
    // Runs the body and returns the exit status.
    int go(const std::function<void(run&)>& body) {
        run r("test", diagnostics, operator_input);
        try {
            body(r);
            r.stop_run();
        } catch (const records::run_ended& ended) {
            return ended.status;
        }
        return -1;
    }
    std::string said() { return slurp(diagnostics); }
};

// Writes one statement with the given items to a fresh file and returns its records.
template <typename... Items>
std::vector<std::string> written(const char* format, Items... items) {
    layer_run t;
    record_format f(format);
    int status = t.go([&](run& r) {
        if (!r.open_unit(6, t.path("out"), file_status::unknown)) r.stop_run();
        r.write(6, f, items...);
    });
    EXPECT_EQ(status, 0) << t.said();
    return records_of(t.dir.read("out"));
}

using lines = std::vector<std::string>;

TEST(WriteStatement, FormatControlAndReversion) {
    EXPECT_EQ(written("(I6,3I3,2F12.6)", 17, 0, 1, 0, 0.0f, 12.0f),
              lines{"    17  0  1  0    0.000000   12.000000"});
    // Literals up to the next data descriptor are still written.
    EXPECT_EQ(written("(I1,'/',6(I3,'.',I3,'.',I3,'/'))", 1, 2, 3, 4), lines{"1/  2.  3.  4/"});
    EXPECT_EQ(written("(I1,'/',6(I3,'.',I3,'.',I3,'/'))", 1, 2, 3, 4, 5), lines{"1/  2.  3.  4/  5."});
    // Reversion to the last top-level group, each value preceded by one blank.
    EXPECT_EQ(written("(1X,E11.4,3(1X,E11.4))", 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f),
              (lines{"  0.1000E+01  0.2000E+01  0.3000E+01  0.4000E+01", "  0.5000E+01  0.6000E+01"}));
    // Without a group the whole format is taken again.
    EXPECT_EQ(written("(3F5.2)", 1.0f, 2.0f, 3.0f, 4.0f), (lines{" 1.00 2.00 3.00", " 4.00"}));
    EXPECT_EQ(written("(I2,2(I3,1X))", 1, 2, 3, 4, 5, 6),
              (lines{" 1  2   3", "  4   5", "  6"}));
    // No items: the format runs up to its first data descriptor or its end.
    EXPECT_EQ(written("('1')"), lines{"1"});
    EXPECT_EQ(written("(' A=',I3,' B')"), lines{" A="});
    EXPECT_EQ(written("()"), lines{""});
    // Leading and trailing bare slashes give empty records.
    EXPECT_EQ(written("(//' C',/)"), (lines{"", "", " C", ""}));
    EXPECT_EQ(written("(18X,'STIFFNESSES',2A1,/)", 'k', 'N'), (lines{"                  STIFFNESSESkN", ""}));
    // nX adds nothing unless something is written after it.
    EXPECT_EQ(written("(I2,5X)", 7), lines{" 7"});
    EXPECT_EQ(written("(I2,5X,A1)", 7, 'z'), lines{" 7     z"});
    EXPECT_EQ(written("(3X,'a.b/c')"), lines{"   a.b/c"});
}

TEST(WriteStatement, EachRecordEndsInALineFeed) {
    layer_run t;
    record_format f("(I2)");
    t.go([&](run& r) {
        if (!r.open_unit(6, t.path("out"), file_status::unknown)) r.stop_run();
        r.write(6, f, 1);
        r.write(6, f, 2);
    });
    EXPECT_EQ(t.dir.read("out"), " 1\n 2\n");
}

// Reads one statement from a file holding `text` into ints and returns them.
struct read_result {
    int status;
    std::vector<std::int32_t> values;
    std::string diagnostics;
};
read_result read_ints(const std::string& text, const char* format, int count, int statements = 1) {
    layer_run t;
    t.dir.write("in", text);
    record_format f(format);
    read_result result;
    result.status = t.go([&](run& r) {
        if (!r.open_unit(5, t.path("in"), file_status::old)) r.stop_run();
        for (int s = 0; s < statements; ++s) {
            r.begin_read(5, f);
            for (int i = 0; i < count; ++i) {
                std::int32_t v = -1;
                r.read_int(v);
                result.values.push_back(v);
            }
            r.end_read();
        }
    });
    result.diagnostics = t.said();
    return result;
}

TEST(ReadStatement, RecordsFieldsAndReversion) {
    using v = std::vector<std::int32_t>;
    // Fields past the end of a short line read as blanks.
    EXPECT_EQ(read_ints("5 \n", "(I1,1X,I2,1X,I4)", 3).values, (v{5, 0, 0}));
    EXPECT_EQ(read_ints("  1\n  2\n", "(I4,/,I4)", 2).values, (v{1, 2}));
    // A slash before the next descriptor moves on even without a further item.
    EXPECT_EQ(read_ints("1\n2\n3\n", "(I1,/)", 1, 2).values, (v{1, 3}));
    // Reversion reads the next record with the last top-level group.
    EXPECT_EQ(read_ints("1 2 3\n 4 5\n", "(I1,2(1X,I1))", 5).values, (v{1, 2, 3, 4, 5}));
    // Each statement starts with a new record; the rest of a record is skipped.
    EXPECT_EQ(read_ints("12345\n67\n", "(I2)", 1, 2).values, (v{12, 67}));
    // Carriage return before the line feed is part of the line end; a last
    // line without its line feed is a record.
    EXPECT_EQ(read_ints("  2\r\n  3", "(I3)", 1, 2).values, (v{2, 3}));
    // Columns beyond the last one the format uses are never looked at.
    EXPECT_EQ(read_ints("1 garbage\n", "(I1)", 1).values, (v{1}));
}

TEST(ReadStatement, ItemCountSetByAValueJustRead) {
    layer_run t;
    t.dir.write("in", "3  10  20  30  40\n");
    record_format f("(I1,18(1X,I3))");
    std::vector<std::int32_t> got;
    t.go([&](run& r) {
        if (!r.open_unit(5, t.path("in"), file_status::old)) r.stop_run();
        std::int32_t n = 0;
        r.begin_read(5, f);
        r.read_int(n);
        for (int i = 0; i < n; ++i) {
            std::int32_t x = 0;
            r.read_int(x);
            got.push_back(x);
        }
        r.end_read();
    });
    EXPECT_EQ(got, (std::vector<std::int32_t>{10, 20, 30}));
}

TEST(ReadStatement, RealsAndCharacters) {
    layer_run t;
    t.dir.write("in", "TITLE\n  1.5150   \n");
    record_format text("(5A1,2A1)");
    record_format reals("(F5.2,F5.2,F3.1)");
    std::string title;
    float a = 0, b = 0, c = 1;
    int status = t.go([&](run& r) {
        if (!r.open_unit(5, t.path("in"), file_status::old)) r.stop_run();
        char cells[7];
        r.read(5, text, std::span<char>(cells));
        title.assign(cells, 7);
        r.read(5, reals, a, b, c);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(title, "TITLE  ");
    EXPECT_EQ(a, 1.5f);
    EXPECT_EQ(b, 1.5f);
    EXPECT_EQ(c, 0.0f);
}

TEST(RunDiagnostics, InputErrorsNameFileRecordColumnsAndText) {
    auto bad = read_ints("  1\n 1x \n", "(I3)", 1, 2);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.diagnostics.substr(bad.diagnostics.find(", record")),
              ", record 2, columns 1-3: \" 1x\" is not a valid I3 field\n");
    auto control = read_ints(std::string("1\0" "2\n", 4), "(I1,I3)", 2);
    EXPECT_EQ(control.status, 1);
    EXPECT_NE(control.diagnostics.find("columns 2-4: \"\\x002 \" is not a valid I3 field"), std::string::npos)
        << control.diagnostics;
    auto range = read_ints("99999999999\n", "(I11)", 1);
    EXPECT_NE(range.diagnostics.find("\"99999999999\" is out of range for an I11 field"), std::string::npos);

    auto eof = read_ints("  1\n  2\n", "(I3)", 1, 3);
    EXPECT_EQ(eof.status, 1);
    EXPECT_EQ(eof.values, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(eof.diagnostics.substr(eof.diagnostics.find(", record")),
              ", record 3: end of file, the file has only 2 records\n");
    auto empty = read_ints("", "(I3)", 1);
    EXPECT_EQ(empty.diagnostics.substr(empty.diagnostics.find(", record")),
              ", record 1: end of file, the file is empty\n");
}

TEST(RunEnd, RecordsWrittenBeforeAnInputErrorAreKept) {
    layer_run t;
    t.dir.write("in", "x\n");
    t.dir.write("out", "former content that must go\n");
    record_format f("(I1)");
    int status = t.go([&](run& r) {
        if (!r.open_unit(5, t.path("in"), file_status::old) || !r.open_unit(6, t.path("out"), file_status::unknown))
            r.stop_run();
        r.write(6, f, 4);
        std::int32_t v;
        r.read(5, f, v);
        r.write(6, f, 5);
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(t.dir.read("out"), "4\n");
}

TEST(RunEnd, AnUnknownFileIsEmptiedWhenOpened) {
    layer_run t;
    t.dir.write("out", "old\n");
    EXPECT_EQ(t.go([&](run& r) {
        if (!r.open_unit(6, t.path("out"), file_status::unknown)) r.stop_run();
    }), 0);
    EXPECT_EQ(t.dir.read("out"), "");
}

TEST(RunEnd, FailedOpenIsAFailure) {
    layer_run t;
    int status = t.go([&](run& r) {
        if (!r.open_unit(5, t.path("missing.dat"), file_status::old)) r.stop_run();
        ADD_FAILURE() << "the run went on";
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(t.said(), "test: cannot open " + t.path("missing.dat") + ": No such file or directory\n");

    layer_run dir_as_output;
    std::filesystem::create_directory(dir_as_output.dir.path() / "out");
    EXPECT_EQ(dir_as_output.go([&](run& r) {
        if (!r.open_unit(6, dir_as_output.path("out"), file_status::unknown)) r.stop_run();
    }), 1);
    EXPECT_NE(dir_as_output.said().find("cannot open"), std::string::npos);
}

TEST(RunEnd, FailedWriteIsAFailure) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    layer_run t;
    record_format f("(I6)");
    int status = t.go([&](run& r) {
        if (!r.open_unit(6, "/dev/full", file_status::unknown)) r.stop_run();
        for (int i = 0; i < 100000; ++i) r.write(6, f, i);
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(t.said(), "test: cannot write /dev/full: No space left on device\n");

    // A failure that shows only when the last records are flushed at the end.
    layer_run late;
    status = late.go([&](run& r) {
        if (!r.open_unit(6, "/dev/full", file_status::unknown)) r.stop_run();
        r.write(6, f, 1);
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(late.said(), "test: cannot write /dev/full: No space left on device\n");
}

TEST(RunEnd, ProgrammingErrorsEndTheRun) {
    layer_run t;
    record_format f("('1')");
    int status = t.go([&](run& r) {
        if (!r.open_unit(6, t.path("out"), file_status::unknown)) r.stop_run();
        r.write(6, f, 3);  // the format has no descriptor for an item
    });
    EXPECT_EQ(status, 1);
    EXPECT_NE(t.said().find("programming error"), std::string::npos);

    layer_run kinds;
    record_format i3("(I3)");
    EXPECT_EQ(kinds.go([&](run& r) {
        if (!r.open_unit(6, kinds.path("out"), file_status::unknown)) r.stop_run();
        r.write(6, i3, 1.5f);
    }), 1);
    EXPECT_NE(kinds.said().find("meets an item of another kind"), std::string::npos);
}

TEST(Pause, OperatorGoesOnOrStops) {
    struct c { const char* typed; int status; bool went_on; };
    const c cases[] = {{"\n", 0, true}, {"", 0, true}, {"yes\n", 0, true}, {"stop\n", 1, false}, {"  STOP \n", 1, false}};
    for (const auto& k : cases) {
        layer_run t;
        t.operator_types(k.typed);
        record_format f("(I1)");
        bool went_on = false;
        int status = t.go([&](run& r) {
            if (!r.open_unit(6, t.path("out"), file_status::unknown)) r.stop_run();
            r.write(6, f, 1);
            r.pause_run("singular matrix");
            went_on = true;
        });
        EXPECT_EQ(status, k.status) << k.typed;
        EXPECT_EQ(went_on, k.went_on) << k.typed;
        EXPECT_EQ(t.dir.read("out"), "1\n") << "records before the pause are kept";
        std::string said = t.said();
        EXPECT_EQ(said.rfind("test: singular matrix\ntest: press Enter to continue, or type stop to end the run\n", 0), 0u)
            << said;
    }
}

}  // namespace
