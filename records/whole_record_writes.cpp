// A write statement whose values are known in advance and fill one record:
// the unit's record maker makes it from the unit's last record of the same
// format, and it is copied into the file's block.
#include "records/run_state.hpp"

namespace records {

void run::write_values(output_unit unit, const record_format& format, std::span<const output_value> values) {
    unit_slot& u = slot(unit.number, "write");
    std::string_view record;
    if (!u.reading && u.maker.make(format, values, record)) {
        start_outputs();
        if (!u.output.write_record(record)) fail(write_failure(u));
        return;
    }
    // Any other goes item by item, which reports a value of another kind
    // than its descriptor.
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
