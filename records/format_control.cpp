// Format control, the interpreter every statement runs on: a statement
// begins and ends, control items (nX, /, literal text) take effect, and the
// final parenthesis with a further item ends the record and reverts.
#include <cstring>

#include "records/run_state.hpp"

namespace records {

const format_item& run::find_data_item(item_kind wanted) {
    statement& st = *st_;
    if (!in_statement_) internal("item transfer outside a statement");
    auto items = st.items;
    for (;;) {
        if (st.next_item == items.size()) {
            // The final parenthesis with a further item: the record ends and
            // control reverts.
            if (!st.format->reverts_to_data())
                internal("format " + st.format->text() + " has no descriptor for a further item");
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
            internal(descriptor_name(item) + " of format " + st.format->text() +
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

}  // namespace records
