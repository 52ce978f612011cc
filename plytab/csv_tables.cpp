#include "plytab/csv_tables.hpp"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <tuple>
#include <vector>

#include "layouts/element_stresses.hpp"
#include "layouts/mesh_tables.hpp"
#include "layouts/polar_tables.hpp"
#include "layouts/stress_line.hpp"
#include "layouts/stress_profiles.hpp"

namespace plytab_csv {

namespace {

// The one unit a table is read on.
constexpr records::input_unit table_unit{5};

// A value as its field read it: an integer in decimal, a real as the
// shortest text that reads back as the same 32-bit value ("247.1",
// "-1.034e-13", "inf", "nan").
void append_value(std::string& row, std::int32_t value) {
    char text[16];
    auto [end, error] = std::to_chars(text, text + sizeof text, value);
    row.append(text, end);
}
void append_value(std::string& row, float value) {
    char text[32];  // the longest shortest form of a float, "-1.17549435e-38", has 15
    auto [end, error] = std::to_chars(text, text + sizeof text, value);
    row.append(text, end);
}

// The field names and the reals in them hold no comma, quote or line feed,
// so no field needs quotes.
template <std::size_t N>
std::string header_row(const std::array<std::string_view, N>& names) {
    std::string row;
    for (std::string_view name : names) {
        if (!row.empty()) row += ',';
        row += name;
    }
    return row + '\n';
}

template <typename Tuple>
std::string value_row(const Tuple& fields) {
    std::string row;
    std::apply([&row](const auto&... field) { ((append_value(row, field), row += ','), ...); }, fields);
    row.back() = '\n';
    return row;
}

template <typename Record, std::size_t N>
constexpr bool names_every_field() {
    Record rec;
    return N == std::tuple_size_v<decltype(Record::fields(rec))>;
}

// A table of records of one layout, read to its end: `last` names its last
// field for the diagnostic of a record cut short.
template <typename Record, std::size_t N>
void whole_table(records::run& r, const std::array<std::string_view, N>& names, std::string_view last,
                 csv_output& out) {
    static_assert(names_every_field<Record, N>(), "one field name for every field of the layout");
    out.append(header_row(names));
    while (r.has_record(table_unit)) {
        Record rec;
        layouts::read_table_record(r, table_unit, rec, last);
        out.append(value_row(Record::fields(rec)));
    }
}

template <typename Record>
void whole_table(records::run& r, csv_output& out) {
    whole_table<Record>(r, Record::field_names, Record::last_field_name, out);
}

// "wstressavg.out": its three profiles, each of its own layout, in one
// table: a first column naming the profile, then every field name of the
// three layouts once, in the order they first come; a record leaves the
// columns of the other layouts empty.
class profile_table {
public:
    profile_table() {
        for (std::string_view name : layouts::zh_record::field_names) add_column(name);
        for (std::string_view name : layouts::six_point_record::field_names) add_column(name);
        for (std::string_view name : layouts::yb_record::field_names) add_column(name);
    }

    std::string header() const {
        std::string row = "profile";
        for (std::string_view name : columns_) (row += ',') += name;
        return row + '\n';
    }

    template <typename Record>
    void rows(records::run& r, std::string_view profile, std::size_t count, csv_output& out) const {
        static_assert(names_every_field<Record, Record::field_names.size()>());
        for (std::size_t k = 0; k < count; ++k) {
            Record rec;
            layouts::read_table_record(r, table_unit, rec);
            std::array<std::string, Record::field_names.size()> values;
            std::size_t f = 0;
            std::apply([&](const auto&... field) { (append_value(values[f++], field), ...); }, Record::fields(rec));
            std::string row(profile);
            for (std::string_view column : columns_) {
                row += ',';
                for (std::size_t i = 0; i < values.size(); ++i)
                    if (Record::field_names[i] == column) row += values[i];
            }
            out.append(row + '\n');
        }
    }

private:
    void add_column(std::string_view name) {
        for (std::string_view known : columns_)
            if (known == name) return;
        columns_.push_back(name);
    }
    std::vector<std::string_view> columns_;
};

void profiles(records::run& r, csv_output& out) {
    static const profile_table table;
    out.append(table.header());
    table.rows<layouts::zh_record>(r, "Z/H", layouts::zh_records, out);
    table.rows<layouts::six_point_record>(r, "edge", layouts::six_point_records, out);
    table.rows<layouts::yb_record>(r, "Y/B", layouts::yb_records, out);
    if (r.has_record(table_unit))
        r.fail_at_record(table_unit, "more records follow the " +
                                         std::to_string(layouts::zh_records + layouts::six_point_records +
                                                        layouts::yb_records) +
                                         " of the three profiles");
}

struct table_entry {
    std::string_view name;
    void (*write)(records::run&, csv_output&);
};

const std::array<table_entry, 9> tables{{
    {layouts::node_table_file, [](records::run& r, csv_output& out) { whole_table<layouts::node_record>(r, out); }},
    {layouts::element_table_file,
     [](records::run& r, csv_output& out) { whole_table<layouts::element_record>(r, out); }},
    {layouts::element_stresses_file,
     [](records::run& r, csv_output& out) { whole_table<layouts::stress_record>(r, out); }},
    {layouts::stress_profiles_file, profiles},
    {layouts::fractions_file,
     [](records::run& r, csv_output& out) { whole_table<layouts::fractions_record>(r, out); }},
    {layouts::e3_file,
     [](records::run& r, csv_output& out) {
         whole_table<layouts::plot_record>(r, layouts::e3_field_names, "E3 of the third volume fraction", out);
     }},
    {layouts::g23_file,
     [](records::run& r, csv_output& out) {
         whole_table<layouts::plot_record>(r, layouts::g23_field_names, "G23 of the third volume fraction", out);
     }},
    {layouts::nu32_file, [](records::run& r, csv_output& out) { whole_table<layouts::nu32_record>(r, out); }},
    {layouts::stress_line_file,
     [](records::run& r, csv_output& out) { whole_table<layouts::line_point_record>(r, out); }},
}};

const std::array<std::string_view, tables.size()> names = [] {
    std::array<std::string_view, tables.size()> n;
    for (std::size_t i = 0; i < tables.size(); ++i) n[i] = tables[i].name;
    return n;
}();

}  // namespace

std::span<const std::string_view> table_names() { return names; }

std::string_view table_of(std::string_view path) {
    std::string_view name = path.substr(path.find_last_of('/') + 1);
    for (const table_entry& t : tables)
        if (t.name == name) return t.name;
    return {};
}

void csv_output::append(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) failed();
}

void csv_output::flush() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) failed();
}

void csv_output::failed() {
    int error = errno;
    run_.fail(std::string("cannot write the table to standard output: ") + std::strerror(error));
}

void write_table(records::run& r, const std::string& path, std::string_view table, csv_output& out) {
    r.open_or_stop(table_unit, path);
    r.read_as_table(table_unit);
    for (const table_entry& t : tables)
        if (t.name == table) t.write(r, out);
    out.flush();
}

}  // namespace plytab_csv
