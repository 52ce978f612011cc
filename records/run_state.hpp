// The state a run keeps behind its interface, shared by the files that
// implement records::run: the unit table (unit_table.cpp), the end of a run
// (run_end.cpp), the statements (format_control.cpp, read_statements.cpp,
// write_statements.cpp, whole_record_writes.cpp, free_text.cpp), the
// diagnostics (diagnostics.cpp) and the operator pause (operator_pause.cpp).
// The two steps every item of a statement takes, finding its descriptor and
// its field, are defined here, so that each statement file has them inline.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/record_making.hpp"
#include "records/replaced_outputs.hpp"
#include "records/run.hpp"

namespace records {

// One connected unit: its file's name and the open input or output file.
struct run::unit_slot {
    std::string name;
    bool reading = false;
    bool failure_reported = false;
    input_file input;
    output_file output;
    replacement replaced;  // for a replaced output: its temporary
    // Makes the records of whole write statements, each from the last one.
    record_maker maker;
};

// The statement in progress: where it is in its format and in its record.
struct run::statement {
    bool reading = false;
    unit_slot* unit = nullptr;
    const record_format* format = nullptr;
    // The format's items while the statement is in progress, empty otherwise.
    std::span<const format_item> items;
    std::size_t next_item = 0;
    std::size_t data_done = 0;  // data items transferred so far
    std::size_t position = 0;   // current position, counted from 0
    // The output record being built is record[0, length); the rest of
    // record is blanks. record only grows, and fields are written in place.
    std::string record;
    std::size_t length = 0;
    std::string_view input;     // the current input record
    std::string padded_field;   // a field that runs past the end of the record
};

// The reason a system call failed, for a diagnostic; an error number of 0
// (a failure the system did not explain) reads as an input/output error.
inline std::string reason(int error) { return std::strerror(error != 0 ? error : EIO); }

// "1 record", "3 records".
inline std::string plural(long n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

inline const format_item& run::next_data_item(item_kind wanted) {
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

// The next `width` characters of the output record, blank, for a field to
// be written in. The record is kept blank beyond what has been written, so
// positions skipped since the last field are blanks already.
inline char* run::output_field(std::size_t width) {
    statement& st = *st_;
    std::size_t start = st.position;
    std::size_t end = start + width;
    if (end > st.record.size()) st.record.resize(std::max(end, 2 * st.record.size()), ' ');
    st.position = st.length = end;
    return st.record.data() + start;
}

}  // namespace records
