// What the layouts share: a record type names its format and lists its
// fields in the order the format takes them,
//
//     static inline const records::record_format format{"(3E11.4)"};
//     static auto fields(auto& rec) { return std::tie(rec.sh, rec.sz, rec.shz); }
//
// so that one read and one write statement serve every layout, on both
// sides of its file. A layout that a tool reads back whole also names its
// last field, for the diagnostic of a record that ends before it:
//
//     static constexpr std::string_view last_field_name = "the type code";
//
// Every layout names its fields too, in the order of fields(), for a tool
// that shows them by name (the CSV tables of plytab):
//
//     static constexpr std::array<std::string_view, 3> field_names{"SH", "SZ", "SHZ"};
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <tuple>

#include "records/block_reading.hpp"
#include "records/run.hpp"
#include "records/tables.hpp"

namespace layouts {

// Reads one record of `Record`'s layout from the unit into `rec`.
template <typename Record>
void read_record(records::run& r, records::input_unit unit, Record& rec) {
    std::apply([&](auto&... field) { r.read(unit, Record::format, field...); }, Record::fields(rec));
}

// Reads one record of `Record`'s layout from a unit the run reads as a table
// (records::run::read_as_table): a record that ends before the layout's last
// field, which `what` names, ends the run before any value is taken from it.
template <typename Record>
void read_table_record(records::run& r, records::input_unit unit, Record& rec, std::string_view what) {
    static const records::field_columns last = records::last_field(Record::format);
    std::apply(
        [&](auto&... field) {
            const records::run::input_place places[] = {records::run::input_place(field)...};
            r.read_table_values(unit, Record::format, last, what, places);
        },
        Record::fields(rec));
}

// The same, the last field named by the layout.
template <typename Record>
void read_table_record(records::run& r, records::input_unit unit, Record& rec) {
    read_table_record(r, unit, rec, Record::last_field_name);
}

// The fast reader of `Record`'s lines (records::plain_reader), for the
// types of its fields.
template <typename Fields>
struct plain_reader_of;
template <typename... Values>
struct plain_reader_of<std::tuple<Values&...>> {
    using type = records::plain_reader<Values...>;
};

// Reads one line of a table into `rec` the fast way, without a statement
// (records::plain_reader): false for a line that a read statement is to
// take. `previous` is the line `rec` was read from last, or empty.
template <typename Record>
bool read_plain_record(std::string_view line, std::string_view previous, Record& rec) {
    using reader = typename plain_reader_of<decltype(Record::fields(rec))>::type;
    static const reader plain(Record::format);
    return std::apply([&](auto&... field) { return plain.read(line, previous, field...); }, Record::fields(rec));
}

// Reads the unit, which the run reads as a table, to its end, handing each
// record of `Record`'s layout to take(record): a large table many lines at a
// time (records/block_reading.hpp), any line that is not plain by a read
// statement, with the same records and diagnostics either way.
template <typename Record, typename Take>
void read_table_to_end(records::run& r, records::input_unit unit, Take take) {
    auto read_plain = [](std::string_view line, std::string_view previous, Record& rec) {
        return read_plain_record(line, previous, rec);
    };
    records::read_in_blocks<Record>(r, unit, read_plain, take, [&] {
        if (!r.has_record(unit)) return false;
        Record rec;
        read_table_record(r, unit, rec);
        take(rec);
        return true;
    });
}

// Writes `rec` to the unit as one record of its layout.
template <typename Record>
void write_record(records::run& r, records::output_unit unit, const Record& rec) {
    std::apply([&](const auto&... field) { r.write(unit, Record::format, field...); }, Record::fields(rec));
}

}  // namespace layouts
