#include "plots/table_scan.hpp"

#include <cstdio>
#include <memory>

namespace plots {

table_scan scan_table(const std::string& file_name, std::size_t reach, long checked) {
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
        if (scan.first_short == 0 && scan.records <= checked && last_filled < reach) {
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
        }
    }
    if (std::ferror(file.get())) scan.readable = false;
    if (column > 0) end_line();
    return scan;
}

}  // namespace plots
