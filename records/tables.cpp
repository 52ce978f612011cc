// The checks of a table read back whole: a record that ends before the last
// field of its layout, a last line without its line feed.
#include "records/tables.hpp"

#include "records/input_editing.hpp"
#include "records/run_state.hpp"

namespace records {

field_columns last_field(const record_format& format) {
    field_columns last;
    std::size_t position = 0;  // columns taken so far
    for (const format_item& item : format.items()) {
        if (item.is_data()) {
            last = {position + 1, position + static_cast<std::size_t>(item.width)};
            position = last.to;
        } else if (item.kind == item_kind::skip) {
            position += static_cast<std::size_t>(item.width);
        } else if (item.kind == item_kind::literal) {
            position += format.literal(item).size();
        } else if (item.kind == item_kind::slash) {
            position = 0;
            last = {};
        }
    }
    return last;
}

std::string_view run::table_lines(input_unit unit, std::size_t room, std::size_t after, bool ahead) {
    unit_slot& u = slot(unit.number, "table_lines");
    if (!u.reading || !u.input.is_table()) internal("table_lines on " + u.name + ", which is not a table read");
    start_outputs();
    return u.input.whole_lines(room, after, ahead);
}

table_fill run::plan_table_fill(input_unit unit, std::size_t room, std::size_t after, std::size_t passed) {
    unit_slot& u = slot(unit.number, "plan_table_fill");
    if (!u.reading || !u.input.is_table()) internal("plan_table_fill on " + u.name + ", which is not a table read");
    start_outputs();
    return u.input.plan_fill_ahead(room, after, passed);
}

std::string_view run::finish_table_fill(input_unit unit, table_fill& plan, std::size_t after) {
    unit_slot& u = slot(unit.number, "finish_table_fill");
    if (!u.reading || !u.input.is_table()) internal("finish_table_fill on " + u.name + ", which is not a table read");
    return u.input.finish_fill_ahead(plan, after);
}

void run::abandon_table_fill(input_unit unit, const table_fill& plan) {
    unit_slot& u = slot(unit.number, "abandon_table_fill");
    if (!u.reading) internal("abandon_table_fill on output file " + u.name);
    u.input.abandon_fill_ahead(plan);
}

void run::take_back_table_lines(input_unit unit) {
    unit_slot& u = slot(unit.number, "take_back_table_lines");
    if (!u.reading) internal("take_back_table_lines on output file " + u.name);
    u.input.take_back_lines_ahead();
}

void run::pass_table_lines(input_unit unit, std::size_t bytes, long lines) {
    unit_slot& u = slot(unit.number, "pass_table_lines");
    if (!u.reading) internal("pass_table_lines on output file " + u.name);
    u.input.pass_lines(bytes, lines);
}

void run::read_as_table(input_unit unit, blank_lines blanks) {
    unit_slot& u = slot(unit.number, "read_as_table");
    if (!u.reading) internal("read_as_table on output file " + u.name);
    u.input.read_as_table(blanks == blank_lines::skipped);
}

// Also within a statement, for a diagnostic of the program's own.
long run::record_number(input_unit unit) { return open_input(unit, "record_number").input.records_read(); }

void run::require_field(const field_columns& field, std::string_view what) {
    if (!in_statement_ || !st_->reading) internal("require_field outside a read statement");
    const statement& st = *st_;
    const input_file& in = st.unit->input;
    // The diagnostic's text is made only for a record that fails: every
    // record of a table passes here.
    auto record = [&] { return st.unit->name + ", record " + std::to_string(in.records_read()) + ": "; };
    const char* cut_off = in.ended() ? "" : "; is the file cut off?";
    std::size_t length = st.input.size();
    if (length < field.to && (length > 0 || in.ended()))
        fail(record() + "ends at column " + std::to_string(length) + ", before " + std::string(what) + " in columns " +
             std::to_string(field.from) + "-" + std::to_string(field.to) + cut_off);
    if (in.is_table() && !in.ended()) fail(record() + "has no line end" + cut_off);
}

void run::read_table_values(input_unit unit, const record_format& format, const field_columns& last, std::string_view what,
                            std::span<const input_place> places) {
    begin_read(unit, format);
    require_field(last, what);
    auto fields = format.fields();
    bool in_place = format.one_record() && fields.size() == places.size() && !fields.empty();
    for (std::size_t i = 0; in_place && i < fields.size(); ++i) in_place = fields[i].value == places[i].kind;
    if (!in_place) {
        for (const input_place& place : places) {
            switch (place.kind) {
            case item_kind::integer: read_int(*static_cast<std::int32_t*>(place.address)); break;
            case item_kind::character: read_char(*static_cast<char*>(place.address)); break;
            default: read_real(*static_cast<float*>(place.address)); break;
            }
        }
        end_read();
        return;
    }
    statement& st = *st_;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const field_place& f = fields[i];
        std::string_view field = placed_field(f);
        switch (f.value) {
        case item_kind::integer: {
            auto& value = *static_cast<std::int32_t*>(places[i].address);
            if (!read_plain_integer(field, value)) check_integer(st.items[f.item], field, value);
            break;
        }
        case item_kind::character:
            // Aw with w above 1 keeps the rightmost character of the field.
            *static_cast<char*>(places[i].address) = field.back();
            break;
        default: {
            auto& value = *static_cast<float*>(places[i].address);
            if (!read_plain_real(field, f.digits, value) && read_real_field(field, f.digits, value) != field_status::ok)
                field_error(st.items[f.item], field, "is not a valid");
            break;
        }
        }
    }
    st.next_item = fields.back().item + 1;
    st.data_done = fields.size();
    end_read();
}

}  // namespace records
