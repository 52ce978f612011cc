// The diagnostics: the one line that ends a failed run, naming the program,
// the file, the record, the columns and the field's text.
#include "records/run_state.hpp"

namespace records {

std::string quoted(std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c >= 0x20 && c < 0x7f) {
            out += ch;
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    out += '"';
    return out;
}

void run::field_error(const format_item& item, std::string_view text, std::string_view what) {
    statement& st = *st_;
    std::size_t last = st.position;
    std::size_t first = last - static_cast<std::size_t>(item.width) + 1;
    const input_file& in = st.unit->input;
    bool byte_order_mark = in.records_read() == 1 && in.starts_with_byte_order_mark();
    fail(st.unit->name + ", record " + std::to_string(in.records_read()) + ", columns " + std::to_string(first) +
         "-" + std::to_string(last) + ": " + quoted(text) + " " + std::string(what) + " " + descriptor_name(item) +
         " field" + (byte_order_mark ? " (the file starts with a UTF-8 byte-order mark)" : ""));
}

std::string run::write_failure(unit_slot& u) {
    u.failure_reported = true;
    // An output replaced whole or not at all is not replaced: its temporary,
    // which the user never sees, is removed.
    if (u.replaced.active()) return u.replaced.target() + " was not replaced: " + reason(u.output.error());
    std::string text = "cannot write " + u.name + ": " + reason(u.output.error());
    if (!u.output.is_regular()) return text;
    long n = u.output.records_in_file();
    if (n == 0) return text + "; it holds no records";
    return text + "; it holds its first " + (n == 1 ? std::string("record") : plural(n, "record"));
}

void run::fail_at_record(input_unit unit, std::string_view what) {
    const unit_slot& u = open_input(unit, "fail_at_record");
    fail(u.name + ", record " + std::to_string(u.input.records_read()) + ": " + std::string(what));
}

}  // namespace records
