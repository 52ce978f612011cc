// The read and write statements: the format interpreter walks a statement's
// format item by item, edits each field and moves from record to record.
#include "records/input_editing.hpp"
#include "records/output_editing.hpp"
#include "records/run_state.hpp"

#include <algorithm>
#include <cstring>

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

// ---- format control -------------------------------------------------------

const format_item& run::next_data_item(item_kind wanted) {
    // Most items are the data descriptor the value asks for, perhaps after
    // nX; other control items, the end of the format and a mismatch take
    // the long way.
    statement& st = *st_;
    while (st.next_item < st.items.size()) {
        const format_item& item = st.items[st.next_item];
        if (item.value_kind() == wanted) {
            ++st.next_item;
            ++st.data_done;
            return item;
        }
        if (item.kind != item_kind::skip) break;
        st.position += static_cast<std::size_t>(item.width);
        ++st.next_item;
    }
    return find_data_item(wanted);
}

const format_item& run::find_data_item(item_kind wanted) {
    statement& st = *st_;
    if (!in_statement_) fail("programming error: item transfer outside a statement");
    auto items = st.items;
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
        if (item.value_kind() != wanted)
            fail("programming error: " + descriptor_name(item) + " of format " + st.format->text() +
                 " meets an item of another kind");
        ++st.data_done;
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
        if (st.reading) st.position += text.size();
        else std::memcpy(output_field(text.size()), text.data(), text.size());
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

// A statement of `format` begins on the unit, which the caller has found to
// be open the right way round.
void run::begin_statement(unit_slot& u, const record_format& format) {
    start_outputs();
    statement& st = *st_;
    st.reading = u.reading;
    st.unit = &u;
    st.format = &format;
    st.items = format.items();
    st.next_item = 0;
    st.data_done = 0;
    in_statement_ = true;
}

// The statement ends: control items up to the next data item still take
// effect (literal text is written, / ends a record).
void run::end_statement() {
    statement& st = *st_;
    while (st.next_item < st.items.size() && !st.items[st.next_item].is_data())
        process_control(st.items[st.next_item++]);
    in_statement_ = false;
    st.items = {};
}

void run::begin_read(int unit, const record_format& format) {
    unit_slot& u = slot(unit, "read");
    if (!u.reading) fail("programming error: read from output file " + u.name);
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

void run::read_ints(std::span<std::int32_t> values) {
    // Within the first pass over a format without a slash, the fields'
    // places are known in advance: each is read where it stands, and the
    // statement goes on after the last of them. Items past that pass take
    // the item-by-item way.
    statement& st = *st_;
    auto fields = in_statement_ && st.reading ? st.format->fields() : std::span<const field_place>{};
    std::size_t known = st.data_done < fields.size() ? std::min(values.size(), fields.size() - st.data_done) : 0;
    auto ours = fields.subspan(st.data_done, known);
    if (known > 0 &&
        std::all_of(ours.begin(), ours.end(), [](const field_place& f) { return f.kind == item_kind::integer; })) {
        for (std::size_t i = 0; i < known; ++i) {
            const field_place& f = ours[i];
            st.position = f.offset + std::size_t{f.width};  // a diagnostic names the field by it
            std::string_view field = field_at(f.offset, f.width);
            if (!read_plain_integer(field, values[i])) check_integer(st.items[f.item], field, values[i]);
        }
        st.next_item = ours.back().item + 1;
        st.data_done += known;
        values = values.subspan(known);
    }
    for (std::int32_t& value : values) read_int(value);
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
    // A table's record is whole only with its line end: a last line without
    // it may have been cut off anywhere, a field short or missing.
    if (in_statement_ && st_->reading && st_->unit->input.is_table() && !st_->unit->input.ended())
        fail(unended_record(st_->unit->name, st_->unit->input));
    end_statement();
}

// ---- writing --------------------------------------------------------------

void run::emit_output_record() {
    statement& st = *st_;
    if (!st.unit->output.write_record(std::string_view(st.record.data(), st.length))) fail(write_failure(*st.unit));
    std::memset(st.record.data(), ' ', st.length);
    st.length = 0;
    st.position = 0;
}

// The next `width` characters of the output record, blank, for a field to
// be written in. The record is kept blank beyond what has been written, so
// positions skipped since the last field are blanks already.
char* run::output_field(std::size_t width) {
    statement& st = *st_;
    std::size_t start = st.position;
    std::size_t end = start + width;
    if (end > st.record.size()) st.record.resize(std::max(end, 2 * st.record.size()), ' ');
    st.position = st.length = end;
    return st.record.data() + start;
}

void run::begin_write(int unit, const record_format& format) {
    unit_slot& u = slot(unit, "write");
    if (u.reading) fail("programming error: write to input file " + u.name);
    begin_statement(u, format);
    statement& st = *st_;
    st.position = 0;
    if (st.length != 0) {
        // A statement that ended the run part way left its record behind.
        std::memset(st.record.data(), ' ', st.length);
        st.length = 0;
    }
}

void run::write_int(std::int32_t value) {
    const format_item& item = next_data_item(item_kind::integer);
    edit_integer(output_field(static_cast<std::size_t>(item.width)), value, item.width);
}

void run::write_real(float value) {
    const format_item& item = next_data_item(item_kind::fixed);
    char* field = output_field(static_cast<std::size_t>(item.width));
    if (item.kind == item_kind::fixed) edit_fixed(field, value, item.width, item.digits);
    else edit_exponent(field, value, item.width, item.digits);
}

void run::write_char(char value) {
    const format_item& item = next_data_item(item_kind::character);
    edit_character(output_field(static_cast<std::size_t>(item.width)), value, item.width);
}

void run::end_write() {
    end_statement();
    emit_output_record();
}

void run::write_values(int unit, const record_format& format, std::span<const output_value> values) {
    unit_slot& u = slot(unit, "write");
    auto fields = format.fields();
    if (!u.reading && format.one_record() && fields.size() == values.size()) {
        start_outputs();
        bool fresh = u.last_format != format.serial();
        if (fresh) {
            u.last_format = format.serial();
            u.last_record = format.record_template();
            u.last_bits.resize(fields.size());
        }
        char* text = u.last_record.data();
        std::uint32_t* last_bits = u.last_bits.data();
        bool kinds_agree = true;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const output_value& v = values[i];
            const field_place& f = fields[i];
            if (v.kind != f.value) {
                kinds_agree = false;
                break;
            }
            if (!fresh && v.bits == last_bits[i]) continue;
            std::uint32_t last = last_bits[i];
            last_bits[i] = v.bits;
            char* field = text + f.offset;
            if (!fresh) {
                if (f.kind == item_kind::integer && step_integer(field, static_cast<std::int32_t>(last), v.integer(), f.width))
                    continue;
                std::memset(field, ' ', f.width);
            }
            switch (f.kind) {
            case item_kind::integer: edit_integer(field, v.integer(), f.width); break;
            case item_kind::fixed: edit_fixed(field, v.real(), f.width, f.digits); break;
            case item_kind::exponent: edit_exponent(field, v.real(), f.width, f.digits); break;
            default: edit_character(field, v.character(), f.width); break;
            }
        }
        if (kinds_agree) {
            std::size_t length = format.record_length();
            char* record = u.output.reserve_record(length);
            if (record == nullptr) fail(write_failure(u));
            std::memcpy(record, text, length);
            u.output.commit_record(length);
            return;
        }
        // A value of another kind than its descriptor: nothing is written
        // here, the record kept may be part edited and is dropped, and the
        // item-by-item way reports the value.
        u.last_format = 0;
    }
    begin_write(unit, format);
    for (const output_value& value : values) {
        switch (value.kind) {
        case item_kind::integer: write_int(value.integer()); break;
        case item_kind::character: write_char(value.character()); break;
        default: write_real(value.real()); break;
        }
    }
    end_write();
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
