#include "meshplot/mesh_files.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>

#include "records/input_editing.hpp"

namespace meshplot {

namespace {

// A field's text as a diagnostic shows it: printable ASCII as it is, quotes
// and backslashes escaped, any other byte as \xNN.
std::string quoted(std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c >= 0x20 && c < 0x7f) {
            out += ch;
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out + "\"";
}

class fixed_column_file {
public:
    fixed_column_file(records::run& r, const std::string& name) : r_(r), name_(name) {
        errno = 0;
        in_.open(name, std::ios::binary);
        if (!in_) r_.fail("cannot open " + name + ": " + std::strerror(errno != 0 ? errno : EIO));
    }

    // The next line without its line feed; false at the end of the file.
    bool next() {
        if (!std::getline(in_, line_)) {
            if (in_.bad()) r_.fail("cannot read " + name_ + ": " + std::strerror(EIO));
            return false;
        }
        ++record_;
        return true;
    }

    long record() const { return record_; }

    // Columns first to first + width - 1; positions beyond the line read as blanks.
    std::string field(std::size_t first, std::size_t width) const {
        std::string text(width, ' ');
        std::size_t start = first - 1;
        if (start < line_.size()) text.replace(0, std::min(width, line_.size() - start), line_, start,
                                               std::min(width, line_.size() - start));
        return text;
    }

    std::int32_t integer(std::size_t first, std::size_t width) const {
        std::string text = field(first, width);
        std::int32_t value = 0;
        switch (records::read_integer_field(text, value)) {
        case records::field_status::ok: return value;
        case records::field_status::out_of_range: bad(first, width, text, "is out of range for an I"); break;
        case records::field_status::invalid: bad(first, width, text, "is not a valid I"); break;
        }
        return 0;
    }

    float real(std::size_t first, std::size_t width, int digits) const {
        std::string text = field(first, width);
        float value = 0.0f;
        if (records::read_real_field(text, digits, value) != records::field_status::ok)
            bad(first, width, text, "is not a valid F", "." + std::to_string(digits));
        return value;
    }

private:
    [[noreturn]] void bad(std::size_t first, std::size_t width, const std::string& text, const std::string& what,
                          const std::string& decimals = {}) const {
        r_.fail(name_ + ", record " + std::to_string(record_) + ", columns " + std::to_string(first) + "-" +
                std::to_string(first + width - 1) + ": " + quoted(text) + " " + what + std::to_string(width) +
                decimals + " field");
    }

    records::run& r_;
    std::string name_;
    std::ifstream in_;
    std::string line_;
    long record_ = 0;
};

}  // namespace

std::vector<node_record> read_nodes(records::run& r, const std::string& file_name) {
    fixed_column_file file(r, file_name);
    std::vector<node_record> nodes;
    while (file.next()) {
        node_record n;
        n.number = file.integer(1, 6);
        for (std::size_t first : {7, 10, 13}) file.integer(first, 3);  // flags: checked, not kept
        n.h = file.real(16, 12, 6);
        n.v = file.real(28, 12, 6);
        n.record = file.record();
        nodes.push_back(n);
    }
    return nodes;
}

std::vector<element_record> read_elements(records::run& r, const std::string& file_name) {
    fixed_column_file file(r, file_name);
    std::vector<element_record> elements;
    while (file.next()) {
        element_record e;
        e.number = file.integer(1, 6);
        e.nodes[0] = file.integer(7, 6);
        e.nodes[1] = file.integer(13, 6);
        e.nodes[2] = file.integer(19, 6);
        e.angle = file.real(25, 8, 2);
        e.type = file.integer(33, 3);
        e.record = file.record();
        elements.push_back(e);
    }
    return elements;
}

}  // namespace meshplot
