// Records made from their values alone, as a whole write statement makes
// them, without a statement: a record is a function of its format and its
// values, so a maker keeps the last record it made and edits only the
// fields whose value changed. Tables repeat most of their values from one
// record to the next. A run keeps one maker for each output unit
// (run::write_values).
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/format.hpp"
#include "records/output_editing.hpp"
#include "records/statement_values.hpp"

namespace records {

class record_maker {
public:
    // The record of `format` holding `values`, in `record` (valid until the
    // next call). False, with nothing made, when the format does not take
    // exactly these values, each of its kind, in one record.
    bool make(const record_format& format, std::span<const output_value> values, std::string_view& record);

private:
    std::uint64_t format_ = 0;  // serial of the last record's format; 0 for none
    std::vector<std::uint32_t> bits_;
    std::string record_;
};

// Inline: every whole write statement of a large table comes here.
[[gnu::always_inline]] inline bool record_maker::make(const record_format& format, std::span<const output_value> values,
                                                      std::string_view& record) {
    auto fields = format.fields();
    if (!format.one_record() || fields.size() != values.size()) return false;
    bool fresh = format_ != format.serial();
    if (fresh) {
        format_ = format.serial();
        record_ = format.record_template();
        bits_.resize(fields.size());
    }
    char* text = record_.data();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const output_value& v = values[i];
        const field_place& f = fields[i];
        if (v.kind != f.value) {
            // A value of another kind than its descriptor: the record,
            // perhaps part edited, is made anew next time.
            format_ = 0;
            return false;
        }
        if (!fresh && v.bits == bits_[i]) continue;
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
    record = record_;
    return true;
}

}  // namespace records
