// Write statements item by item: each value is edited into its field of the
// record being built, which goes to the file when the statement or format
// control ends it.
#include <cstring>

#include "records/output_editing.hpp"
#include "records/run_state.hpp"

namespace records {

void run::emit_output_record() {
    statement& st = *st_;
    if (!st.unit->output.write_record(std::string_view(st.record.data(), st.length))) fail(write_failure(*st.unit));
    std::memset(st.record.data(), ' ', st.length);
    st.length = 0;
    st.position = 0;
}

void run::begin_write(output_unit unit, const record_format& format) {
    unit_slot& u = slot(unit.number, "write");
    if (u.reading) internal("write to input file " + u.name);
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

}  // namespace records
