#include "records/record_making.hpp"

#include <cstring>

#include "records/output_editing.hpp"

namespace records {

bool record_maker::takes(const record_format& format, std::span<const output_value> values) {
    auto fields = format.fields();
    if (!format.one_record() || fields.size() != values.size()) return false;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (values[i].kind != fields[i].value) return false;
    return true;
}

std::string_view record_maker::make(const record_format& format, std::span<const output_value> values) {
    auto fields = format.fields();
    bool fresh = format_ != format.serial();
    if (fresh) {
        format_ = format.serial();
        record_ = format.record_template();
        bits_.resize(fields.size());
    }
    char* text = record_.data();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const output_value& v = values[i];
        if (!fresh && v.bits == bits_[i]) continue;
        const field_place& f = fields[i];
        std::uint32_t last = bits_[i];
        bits_[i] = v.bits;
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
    return record_;
}

}  // namespace records
