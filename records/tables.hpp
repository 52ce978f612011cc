// Tables read back whole: the files a program of the suite writes and a
// tool reads to the end again. Such a table is read like any other input
// (records::run), with the unit marked by run::read_as_table, and each record
// checked with run::require_field against the last field of its layout, so
// that a table cut off by a killed run or a full disk is refused rather than
// read with zeros where its last values stood.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "records/format.hpp"
#include "records/input_editing.hpp"
#include "records/output_editing.hpp"
#include "records/statement_values.hpp"

namespace records {

// The first and last column of a field, counted from 1.
struct field_columns {
    std::size_t from = 0;
    std::size_t to = 0;
};

// Where the last value of `format` stands in its record (after a slash, in
// the last record); {0, 0} when the format transfers no value.
field_columns last_field(const record_format& format);

// One plain field of a line at `text`, as `f` places it.
inline bool read_plain_field(const char* text, const field_place& f, std::int32_t& value) {
    return read_plain_integer({text, f.width}, value);
}
inline bool read_plain_field(const char* text, const field_place& f, float& value) {
    return read_plain_real({text, f.width}, f.digits, value);
}
inline bool read_plain_field(const char* text, const field_place& f, char& value) {
    // Aw with w above 1 keeps the rightmost character of the field.
    value = text[f.width - 1];
    return true;
}

// Reads lines of a table (each without its line feed) the fast way only,
// without a statement, into values of the types `Values`, which a format
// takes in this order, each from one field of one record: each field is
// read where it stands, and must be plain (read_plain_integer,
// read_plain_real); the line must be no shorter than the format's record,
// not blank and without a carriage return at its end. read returns false,
// the values part filled, for any other line, which a read statement then
// takes: it reads the same values, or names the fault. The format is
// looked at once, when the reader is made: a format that does not take
// exactly such values reads no line.
//
// A table repeats many of its values from one line to the next (a layer's
// angle, a row's coordinate, a uniform stress). Given the line read before
// into the same values (`previous`, which the values still hold), a real
// field of 8 to 16 columns whose text is that of the line before keeps its
// value without being converted again: the same text reads as the same
// value.
template <typename... Values>
class plain_reader {
public:
    explicit plain_reader(const record_format& format);
    bool read(std::string_view line, Values&... values) const { return read(line, {}, values...); }
    bool read(std::string_view line, std::string_view previous, Values&... values) const;

private:
    static constexpr std::size_t count = sizeof...(Values);
    template <typename T>
    static constexpr item_kind value_kind = std::is_same_v<T, float> ? item_kind::fixed
                                            : std::is_same_v<T, char> ? item_kind::character
                                                                      : item_kind::integer;
    // The text that output editing gives 0.0 in a real field of 8 to 16
    // characters: a field that holds exactly it is +0.0, which reading it
    // the plain way gives too, without converting it. Tables and solver
    // results hold many such fields (the out-of-plane stresses of a plane
    // model). Not usable for a field too narrow for a zero (asterisks).
    // The first and the last 8 characters of a field of 8 to 16, which
    // together are all of it: two such fields of one width hold the same
    // text when these are equal.
    struct field_words {
        std::uint64_t head = 0;
        std::uint64_t tail = 0;
        static field_words of(const char* text, std::size_t width) {
            field_words words;
            std::memcpy(&words.head, text, 8);
            std::memcpy(&words.tail, text + width - 8, 8);
            return words;
        }
        bool operator==(const field_words&) const = default;
    };
    struct zero_text {
        field_words words;
        bool usable = false;
        explicit zero_text(const field_place& f);
        zero_text() = default;
        bool holds(const char* text, std::size_t width) const { return field_words::of(text, width) == words; }
    };
    // Whether two fields of 8 to 16 columns hold the same text.
    static bool same_text(const char* a, const char* b, std::size_t width) {
        return field_words::of(a, width) == field_words::of(b, width);
    }
    // Field i of the line at `text`; `previous` is the line before, whose
    // value `value` holds, or nullptr.
    template <typename T>
    bool read_field(const char* text, const char* previous, std::size_t i, T& value) const {
        if constexpr (std::is_same_v<T, float>) {
            const field_place& f = fields_[i];
            if (f.width >= 8 && f.width <= 16) {
                if (previous != nullptr && same_text(text + f.offset, previous + f.offset, f.width)) return true;
                if (zeros_[i].usable && zeros_[i].holds(text + f.offset, f.width)) {
                    value = 0.0f;
                    return true;
                }
            }
        }
        return read_plain_field(text + fields_[i].offset, fields_[i], value);
    }

    bool usable_ = false;
    std::size_t length_ = 0;
    std::array<field_place, count> fields_{};
    std::array<zero_text, count> zeros_{};
};

template <typename... Values>
plain_reader<Values...>::plain_reader(const record_format& format) {
    auto fields = format.fields();
    if (!format.one_record() || fields.size() != count || count == 0) return;
    const item_kind kinds[] = {value_kind<Values>...};
    for (std::size_t i = 0; i < count; ++i) {
        if (fields[i].value != kinds[i]) return;
        fields_[i] = fields[i];
        zeros_[i] = zero_text(fields[i]);
    }
    length_ = format.record_length();
    usable_ = true;
}

template <typename... Values>
plain_reader<Values...>::zero_text::zero_text(const field_place& f) {
    if (f.width < 8 || f.width > 16 || (f.kind != item_kind::fixed && f.kind != item_kind::exponent)) return;
    std::string zero;
    if (f.kind == item_kind::fixed) put_fixed(zero, 0.0f, f.width, f.digits);
    else put_exponent(zero, 0.0f, f.width, f.digits);
    // Only a text that the plain way reads, as +0.0 (not asterisks).
    float value = 1.0f;
    if (!read_plain_real(zero, f.digits, value) || std::bit_cast<std::uint32_t>(value) != 0) return;
    words = field_words::of(zero.data(), f.width);
    usable = true;
}

template <typename... Values>
bool plain_reader<Values...>::read(std::string_view line, std::string_view previous, Values&... values) const {
    if (!usable_ || line.size() < length_ || line.back() == '\r') return false;
    // A blank line is no record of a table that skips it.
    if (line.find_first_not_of(' ') == std::string_view::npos) return false;
    // The line before was read plainly too when it is given: it is as long.
    const char* before = previous.size() >= length_ ? previous.data() : nullptr;
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return (read_field(line.data(), before, I, values) && ...);
    }(std::make_index_sequence<count>{});
}

}  // namespace records
