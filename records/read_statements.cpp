// Read statements: each item's field is taken from the current record and
// converted, the next record is read when format control asks for it, and
// the end of a file is told with what the file holds. A statement's run of
// integers takes a shorter way (read_ints).
#include <algorithm>

#include "records/input_editing.hpp"
#include "records/run_state.hpp"

namespace records {

namespace {

std::string too_long_record(const std::string& name, const input_file& in) {
    return name + ", record " + std::to_string(in.records_read()) + ": longer than " +
           std::to_string(max_record_length) + " characters";
}

// What a table's last line without its line feed is told.
std::string unended_record(const std::string& name, const input_file& in) {
    return name + ", record " + std::to_string(in.records_read()) + ": has no line end; is the file cut off?";
}

}  // namespace

bool run::has_record(input_unit unit) {
    unit_slot& u = slot(unit.number, "has_record");
    start_outputs();
    if (!u.reading) internal("has_record on output file " + u.name);
    if (!u.input.at_end()) return true;
    // A table that skips blank lines reads on to its next record, which may
    // be the one that cannot be read.
    if (u.input.error() != 0) fail("cannot read " + u.name + ": " + reason(u.input.error()));
    if (u.input.too_long()) fail(too_long_record(u.name, u.input));
    return false;
}

void run::next_input_record() {
    statement& st = *st_;
    input_file& in = st.unit->input;
    if (!in.next_record(st.input)) {
        if (in.error() != 0) fail("cannot read " + st.unit->name + ": " + reason(in.error()));
        if (in.too_long()) fail(too_long_record(st.unit->name, in));
        if (in.is_table() && !in.ended()) fail(unended_record(st.unit->name, in));
        long lines = in.lines_read();
        long blanks = in.blank_lines();
        long have = lines - blanks;
        std::string at = st.unit->name + ", record " + std::to_string(lines + 1) + ": end of file";
        if (in.has_lone_carriage_returns())
            fail(at + ": the file's lines end in a carriage return alone, not in a line feed");
        if (have == 0 && blanks == 0) fail(at + ", the file is empty");
        if (have == 0) fail(at + ", the file holds only " + plural(blanks, "blank line"));
        fail(at + ", the file has only " + plural(have, "record") +
             (blanks == 0 ? std::string() : " and " + plural(blanks, "blank line")));
    }
    st.position = 0;
}

void run::begin_read(input_unit unit, const record_format& format) {
    unit_slot& u = slot(unit.number, "read");
    if (!u.reading) internal("read from output file " + u.name);
    begin_statement(u, format);
    next_input_record();
}

std::string_view run::take_field(const format_item& item) {
    statement& st = *st_;
    auto w = static_cast<std::size_t>(item.width);
    std::size_t start = st.position;
    st.position += w;
    return field_at(start, w);
}

std::string_view run::field_at(std::size_t start, std::size_t width) {
    statement& st = *st_;
    if (start + width <= st.input.size()) return std::string_view(st.input.data() + start, width);
    return padded_field(start, width);
}

// A field that runs past the end of the record: the positions beyond it
// read as blanks. Kept apart from field_at, whose common case stays small.
[[gnu::noinline]] std::string_view run::padded_field(std::size_t start, std::size_t width) {
    statement& st = *st_;
    st.padded_field.assign(width, ' ');
    if (start < st.input.size()) st.padded_field.replace(0, st.input.size() - start, st.input.substr(start));
    return st.padded_field;
}

void run::check_integer(const format_item& item, std::string_view field, std::int32_t& value) {
    switch (read_integer_field(field, value)) {
    case field_status::ok: return;
    case field_status::out_of_range: field_error(item, field, "is out of range for an");
    case field_status::invalid: field_error(item, field, "is not a valid");
    }
}

void run::read_int(std::int32_t& value) {
    const format_item& item = next_data_item(item_kind::integer);
    check_integer(item, take_field(item), value);
}

// Within the first pass over a format without a slash, the fields' places
// are known in advance: the statement's next `count` items, when all of them
// take `kind`, are read where they stand, and the statement goes on after
// the last of them. Empty otherwise; items past that pass take the
// item-by-item way.
std::span<const field_place> run::placed_fields(std::size_t count, item_kind kind) {
    statement& st = *st_;
    auto fields = in_statement_ && st.reading ? st.format->fields() : std::span<const field_place>{};
    std::size_t known = st.data_done < fields.size() ? std::min(count, fields.size() - st.data_done) : 0;
    auto ours = fields.subspan(st.data_done, known);
    if (known == 0 || !std::all_of(ours.begin(), ours.end(), [&](const field_place& f) { return f.value == kind; }))
        return {};
    st.next_item = ours.back().item + 1;
    st.data_done += known;
    return ours;
}

// A placed field's text; a diagnostic names the field by the position.
std::string_view run::placed_field(const field_place& f) {
    st_->position = f.offset + std::size_t{f.width};
    return field_at(f.offset, f.width);
}

void run::read_ints(std::span<std::int32_t> values) {
    auto placed = placed_fields(values.size(), item_kind::integer);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        std::string_view field = placed_field(placed[i]);
        if (!read_plain_integer(field, values[i])) check_integer(st_->items[placed[i].item], field, values[i]);
    }
    for (std::int32_t& value : values.subspan(placed.size())) read_int(value);
}

void run::read_reals(std::span<float> values) {
    auto placed = placed_fields(values.size(), item_kind::fixed);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        std::string_view field = placed_field(placed[i]);
        int digits = placed[i].digits;
        if (!read_plain_real(field, digits, values[i]) && read_real_field(field, digits, values[i]) != field_status::ok)
            field_error(st_->items[placed[i].item], field, "is not a valid");
    }
    for (float& value : values.subspan(placed.size())) read_real(value);
}

std::string_view run::record_text() const {
    if (!in_statement_ || !st_->reading) internal("record_text outside a read statement");
    return st_->input;
}

void run::read_real(float& value) {
    const format_item& item = next_data_item(item_kind::fixed);
    std::string_view field = take_field(item);
    if (!read_plain_real(field, item.digits, value) && read_real_field(field, item.digits, value) != field_status::ok)
        field_error(item, field, "is not a valid");
}

void run::read_char(char& value) {
    const format_item& item = next_data_item(item_kind::character);
    std::string_view field = take_field(item);
    // Aw with w above 1 keeps the rightmost character of the field.
    value = field.back();
}

void run::end_read() {
    // A table's record is whole only with its line end: a last line without
    // it may have been cut off anywhere, a field short or missing.
    if (in_statement_ && st_->reading && st_->unit->input.is_table() && !st_->unit->input.ended())
        fail(unended_record(st_->unit->name, st_->unit->input));
    end_statement();
}

}  // namespace records
