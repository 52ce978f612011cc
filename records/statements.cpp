// The read and write statements: the format interpreter walks a statement's
// format item by item, edits each field and moves from record to record.
#include "records/input_editing.hpp"
#include "records/output_editing.hpp"
#include "records/run_state.hpp"

namespace records {

// ---- format control -------------------------------------------------------

const format_item& run::next_data_item(item_kind wanted) {
    statement& st = *st_;
    if (!st.active) fail("programming error: item transfer outside a statement");
    auto items = st.format->items();
    for (;;) {
        if (st.next_item == items.size()) {
            // The final parenthesis with a further item: the record ends and
            // control reverts.
            if (!st.format->reverts_to_data())
                fail("programming error: format " + st.format->text() + " has no descriptor for a further item");
            if (st.reading) next_input_record();
            else emit_output_record();
            st.next_item = st.format->reversion_point();
            continue;
        }
        const format_item& item = items[st.next_item++];
        if (!item.is_data()) {
            process_control(item);
            continue;
        }
        bool agrees = item.kind == wanted ||
                      (wanted == item_kind::fixed && item.kind == item_kind::exponent);
        if (!agrees)
            fail("programming error: " + descriptor_name(item) + " of format " + st.format->text() +
                 " meets an item of another kind");
        return item;
    }
}

void run::process_control(const format_item& item) {
    statement& st = *st_;
    switch (item.kind) {
    case item_kind::skip:
        st.position += static_cast<std::size_t>(item.width);
        break;
    case item_kind::slash:
        if (st.reading) next_input_record();
        else emit_output_record();
        break;
    case item_kind::literal: {
        std::string_view text = st.format->literal(item);
        if (!st.reading) {
            st.record.resize(st.position, ' ');
            st.record.append(text);
        }
        st.position += text.size();
        break;
    }
    default:
        break;
    }
}

// ---- reading --------------------------------------------------------------

bool run::has_record(int unit) {
    unit_slot& u = slot(unit, "has_record");
    start_outputs();
    if (!u.reading) fail("programming error: has_record on output file " + u.name);
    bool at_end = u.input.at_end();
    if (at_end && u.input.error() != 0) fail("cannot read " + u.name + ": " + reason(u.input.error()));
    return !at_end;
}

void run::next_input_record() {
    statement& st = *st_;
    input_file& in = st.unit->input;
    if (!in.next_record(st.input)) {
        if (in.error() != 0) fail("cannot read " + st.unit->name + ": " + reason(in.error()));
        if (in.too_long())
            fail(st.unit->name + ", record " + std::to_string(in.records_read()) + ": longer than " +
                 std::to_string(max_record_length) + " characters");
        long have = in.records_read();
        if (in.has_lone_carriage_returns())
            fail(st.unit->name + ", record " + std::to_string(have + 1) +
                 ": end of file: the file's lines end in a carriage return alone, not in a line feed");
        fail(st.unit->name + ", record " + std::to_string(have + 1) + ": end of file, " +
             (have == 0 ? std::string("the file is empty") : "the file has only " + plural(have, "record")));
    }
    st.position = 0;
}

void run::begin_read(int unit, const record_format& format) {
    unit_slot& u = slot(unit, "read");
    if (!u.reading) fail("programming error: read from output file " + u.name);
    start_outputs();
    statement& st = *st_;
    st.reading = true;
    st.unit = &u;
    st.format = &format;
    st.next_item = 0;
    st.active = true;
    next_input_record();
}

std::string_view run::take_field(const format_item& item) {
    statement& st = *st_;
    auto w = static_cast<std::size_t>(item.width);
    std::size_t start = st.position;
    st.position += w;
    if (start + w <= st.input.size()) return st.input.substr(start, w);
    // Positions beyond the end of the record read as blanks.
    st.padded_field.assign(w, ' ');
    if (start < st.input.size()) st.padded_field.replace(0, st.input.size() - start, st.input.substr(start));
    return st.padded_field;
}

void run::read_int(std::int32_t& value) {
    const format_item& item = next_data_item(item_kind::integer);
    std::string_view field = take_field(item);
    switch (read_integer_field(field, value)) {
    case field_status::ok: return;
    case field_status::out_of_range: field_error(item, field, "is out of range for an");
    case field_status::invalid: field_error(item, field, "is not a valid");
    }
}

void run::read_real(float& value) {
    const format_item& item = next_data_item(item_kind::fixed);
    std::string_view field = take_field(item);
    if (read_real_field(field, item.digits, value) != field_status::ok)
        field_error(item, field, "is not a valid");
}

void run::read_char(char& value) {
    const format_item& item = next_data_item(item_kind::character);
    std::string_view field = take_field(item);
    // Aw with w above 1 keeps the rightmost character of the field.
    value = field.back();
}

void run::end_read() {
    statement& st = *st_;
    auto items = st.format->items();
    while (st.next_item < items.size() && !items[st.next_item].is_data())
        process_control(items[st.next_item++]);
    st.active = false;
}

// ---- writing --------------------------------------------------------------

void run::emit_output_record() {
    statement& st = *st_;
    if (!st.unit->output.write_record(st.record)) fail(write_failure(*st.unit));
    st.record.clear();
    st.position = 0;
}

void run::begin_write(int unit, const record_format& format) {
    unit_slot& u = slot(unit, "write");
    if (u.reading) fail("programming error: write to input file " + u.name);
    start_outputs();
    statement& st = *st_;
    st.reading = false;
    st.unit = &u;
    st.format = &format;
    st.next_item = 0;
    st.position = 0;
    st.record.clear();
    st.active = true;
}

void run::write_int(std::int32_t value) {
    const format_item& item = next_data_item(item_kind::integer);
    st_->record.resize(st_->position, ' ');
    put_integer(st_->record, value, item.width);
    st_->position += static_cast<std::size_t>(item.width);
}

void run::write_real(float value) {
    const format_item& item = next_data_item(item_kind::fixed);
    st_->record.resize(st_->position, ' ');
    if (item.kind == item_kind::fixed) put_fixed(st_->record, value, item.width, item.digits);
    else put_exponent(st_->record, value, item.width, item.digits);
    st_->position += static_cast<std::size_t>(item.width);
}

void run::write_char(char value) {
    const format_item& item = next_data_item(item_kind::character);
    st_->record.resize(st_->position, ' ');
    put_character(st_->record, value, item.width);
    st_->position += static_cast<std::size_t>(item.width);
}

void run::end_write() {
    statement& st = *st_;
    auto items = st.format->items();
    while (st.next_item < items.size() && !items[st.next_item].is_data())
        process_control(items[st.next_item++]);
    st.active = false;
    emit_output_record();
}

// ---- free text ------------------------------------------------------------

void run::write_lines(int unit, std::string_view text) {
    unit_slot& u = slot(unit, "write");
    if (u.reading) fail("programming error: write to input file " + u.name);
    start_outputs();
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!u.output.write_record(line)) fail(write_failure(u));
    }
}

}  // namespace records
