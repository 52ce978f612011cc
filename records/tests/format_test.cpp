// Parsing the format notation into a flat item list with a reversion point.
#include <gtest/gtest.h>

#include <string>

#include "records/format.hpp"

namespace {

using records::format_error;
using records::item_kind;
using records::record_format;

// The expanded items written back as text, for compact expectations.
std::string expand(const record_format& f) {
    std::string out;
    for (const auto& item : f.items()) {
        if (!out.empty()) out += ',';
        out += item.kind == item_kind::literal ? "'" + std::string(f.literal(item)) + "'"
                                               : records::descriptor_name(item);
    }
    return out;
}

struct parse_case {
    const char* text;
    const char* items;
    std::size_t reversion;
};

TEST(RecordFormat, ExpandsRepeatsGroupsAndLiterals) {
    const parse_case cases[] = {
        {"(I3)", "I3", 0},
        {"()", "", 0},
        {"(3F5.2)", "F5.2,F5.2,F5.2", 0},
        {"(23X,3F5.2)", "23X,F5.2,F5.2,F5.2", 0},
        {"(I4,/,I4)", "I4,/,I4", 0},
        {"(I4/I4)", "I4,/,I4", 0},
        {"(//'a')", "/,/,'a'", 0},
        {"('1')", "'1'", 0},
        {"(2A1,E12.5)", "A1,A1,E12.5", 0},
        {"(1X,E11.4,3(1X,E11.4))", "1X,E11.4,1X,E11.4,1X,E11.4,1X,E11.4", 2},
        {"(F7.5,1X,F7.5,1X,I1,2(1X,I4,1X,I1))", "F7.5,1X,F7.5,1X,I1,1X,I4,1X,I1,1X,I4,1X,I1", 5},
        // The reversion point is the last top-level group, not a nested one.
        {"(I1,2(I2,2(I3)),I4)", "I1,I2,I3,I3,I2,I3,I3,I4", 1},
        {"(2(I1),(I2,(I3)))", "I1,I1,I2,I3", 2},
        // Slash and point inside quotes are text; a doubled quote is one quote.
        {"(I1,'/',I3,'.')", "I1,'/',I3,'.'", 0},
        {"('it''s')", "'it's'", 0},
        {"( i 3 , f5.2 , e10.3 )", "I3,F5.2,E10.3", 0},
        {"(2/)", "/,/", 0},
        {"(A)", "A1", 0},
    };
    for (const auto& c : cases) {
        record_format f(c.text);
        EXPECT_EQ(expand(f), c.items) << c.text;
        EXPECT_EQ(f.reversion_point(), c.reversion) << c.text;
    }
}

TEST(RecordFormat, KnowsWhetherReversionReachesData) {
    EXPECT_TRUE(record_format("(I3)").reverts_to_data());
    EXPECT_FALSE(record_format("('1')").reverts_to_data());
    EXPECT_FALSE(record_format("(I3,2(1X))").reverts_to_data());
    EXPECT_TRUE(record_format("(1X,2(1X,I3))").reverts_to_data());
}

TEST(RecordFormat, MalformedTextIsAProgrammingErrorWhenBuilt) {
    const char* bad[] = {
        "",         "I3",      "(I3",        "(I3))",    "(I3,)",     "(,I3)",    "(I3 I4)",
        "(I)",      "(I0)",    "(F5)",       "(F5.)",    "(E10.0)",   "(X)",      "(0I3)",
        "(Q3)",     "('abc)",  "(3(I2)",     "(I3),",    "(I256)",    "(2(I2)3)", "(F5.2.1)",
    };
    for (const char* text : bad) EXPECT_THROW(record_format{text}, format_error) << text;
    try {
        record_format f("(I3,Q)");
        FAIL();
    } catch (const format_error& e) {
        EXPECT_EQ(std::string(e.what()), "malformed format \"(I3,Q)\" at position 5: unknown descriptor 'Q'");
    }
}

TEST(RecordFormat, NestsToAnyDepth) {
    std::string text = "(";
    for (int i = 0; i < 20; ++i) text += "1(";
    text += "I2";
    for (int i = 0; i < 20; ++i) text += ")";
    text += ")";
    EXPECT_EQ(expand(record_format(text)), "I2");
    EXPECT_THROW(record_format("(255(255(255(I1))))"), format_error);  // too many items
}

}  // namespace
