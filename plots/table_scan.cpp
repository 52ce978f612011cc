#include "plots/table_scan.hpp"

#include <cstdio>
#include <memory>

namespace plots {

table_scan scan_table(const std::string& file_name, std::size_t reach, long first, long last) {
    table_scan scan;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(file_name.c_str(), "rb"), std::fclose);
    if (!file) {
        scan.readable = false;
        return scan;
    }
    char buffer[1 << 16];
    std::size_t column = 0;       // characters of the current line so far
    std::size_t last_filled = 0;  // column of its last non-blank character
    auto end_line = [&] {
        ++scan.records;
        if (last_filled > 0) scan.last_nonblank = scan.records;
        if (scan.first_short == 0 && scan.records >= first && scan.records <= last && last_filled < reach) {
            scan.first_short = scan.records;
            scan.short_length = last_filled;
        }
        column = 0;
        last_filled = 0;
    };
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        for (std::size_t k = 0; k < got; ++k) {
            char ch = buffer[k];
            if (ch == '\n') {
                end_line();
                continue;
            }
            ++column;
            if (ch != ' ' && ch != '\r') last_filled = column;
            if (column > records::max_record_length) {
                // The record layer refuses this record when it reaches it;
                // what lies beyond it is never read.
                scan.too_long = true;
                end_line();
                scan.last_nonblank = scan.records;
                return scan;
            }
        }
    }
    if (std::ferror(file.get())) scan.readable = false;
    if (column > 0) end_line();
    return scan;
}

field_columns last_field(const records::record_format& format) {
    field_columns last;
    std::size_t position = 0;  // columns taken so far
    for (const records::format_item& item : format.items()) {
        if (item.is_data()) {
            last = {position + 1, position + static_cast<std::size_t>(item.width)};
            position = last.to;
        } else if (item.kind == records::item_kind::skip) {
            position += static_cast<std::size_t>(item.width);
        } else if (item.kind == records::item_kind::literal) {
            position += format.literal(item).size();
        } else if (item.kind == records::item_kind::slash) {
            position = 0;
            last = {};
        }
    }
    return last;
}

void require_field(records::run& r, const std::string& file_name, const records::record_format& format, long first,
                   long last, std::string_view what) {
    field_columns field = last_field(format);
    require_field(r, file_name, field.from, field.to, first, last, what);
}

void require_field(records::run& r, const std::string& file_name, std::size_t from, std::size_t to, long first,
                   long last, std::string_view what) {
    table_scan scan = scan_table(file_name, from, first, last);
    if (!scan.readable) r.fail("cannot read " + file_name);
    if (scan.first_short == 0) return;
    r.fail(file_name + ", record " + std::to_string(scan.first_short) + ": " +
           (scan.short_length == 0 ? std::string("blank") : "ends at column " + std::to_string(scan.short_length)) +
           ", before " + std::string(what) + " in columns " + std::to_string(from) + "-" + std::to_string(to));
}

}  // namespace plots
