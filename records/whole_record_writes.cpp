// A write statement whose values are known in advance and fill one record:
// the record is made from the unit's last one of the same format, editing
// only the fields whose value changed, and copied into the file's block.
#include <cstring>

#include "records/output_editing.hpp"
#include "records/run_state.hpp"

namespace records {

void run::write_values(output_unit unit, const record_format& format, std::span<const output_value> values) {
    unit_slot& u = slot(unit.number, "write");
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

}  // namespace records
