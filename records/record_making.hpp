// Records made from their values alone, as a whole write statement makes
// them, without a statement: a record is a function of its format and its
// values, so a maker keeps the last record it made and edits only the
// fields whose value changed. Tables repeat most of their values from one
// record to the next. A run keeps one maker for each output unit
// (run::write_values); a program that makes a large table's records on two
// threads (table_writing.hpp) keeps one for each.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/format.hpp"
#include "records/statement_values.hpp"

namespace records {

class record_maker {
public:
    // Whether the format takes exactly these values, each of its kind, in
    // one record: the records a maker can make.
    static bool takes(const record_format& format, std::span<const output_value> values);

    // The record of `format` holding `values`, which it takes; the view
    // stays valid until the next call.
    std::string_view make(const record_format& format, std::span<const output_value> values);

    // Forgets the last record: the next one is made whole.
    void forget() { format_ = 0; }

private:
    std::uint64_t format_ = 0;  // serial of the last record's format; 0 for none
    std::vector<std::uint32_t> bits_;
    std::string record_;
};

}  // namespace records
