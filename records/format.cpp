#include "records/format.hpp"

#include <algorithm>
#include <atomic>
#include <cctype>

namespace records {

class format_parser {
public:
    format_parser(record_format& format, std::string_view text) : f_(format), s_(text) {}

    void parse() {
        skip_blanks();
        expect('(');
        parse_list(0);
        expect(')');
        skip_blanks();
        if (i_ != s_.size()) fail("text after the closing parenthesis");
        f_.has_data_ = std::any_of(f_.items_.begin(), f_.items_.end(),
                                   [](const format_item& it) { return it.is_data(); });
        f_.reverts_to_data_ =
            std::any_of(f_.items_.begin() + static_cast<std::ptrdiff_t>(f_.reversion_point_),
                        f_.items_.end(), [](const format_item& it) { return it.is_data(); });
        measure_one_record();
    }

private:
    // The data items and, for a format without a slash, the record one
    // pass over the items writes: it ends with the last field or literal,
    // since positions skipped at the end are no part of it.
    void measure_one_record() {
        std::size_t position = 0;
        std::size_t length = 0;
        for (const format_item& item : f_.items_) {
            if (item.kind == item_kind::slash) f_.one_record_ = false;
            position += item.kind == item_kind::literal ? item.text_length : static_cast<std::size_t>(item.width);
            if (item.kind != item_kind::skip) length = position;
        }
        // Records of such length are no business of a fast path.
        if (length > std::uint32_t{1} << 20) f_.one_record_ = false;
        if (!f_.one_record_) return;
        f_.record_template_.assign(length, ' ');
        position = 0;
        for (std::size_t index = 0; index < f_.items_.size(); ++index) {
            const format_item& item = f_.items_[index];
            if (item.kind == item_kind::literal) {
                f_.record_template_.replace(position, item.text_length, f_.literal(item));
                position += item.text_length;
                continue;
            }
            if (item.is_data()) {
                f_.fields_.push_back({static_cast<std::uint32_t>(position), static_cast<std::uint32_t>(index),
                                      item.kind, item.value_kind(),
                                      static_cast<std::uint8_t>(item.width), static_cast<std::uint8_t>(item.digits)});
            }
            position += static_cast<std::size_t>(item.width);
        }
    }

    [[noreturn]] void fail(const std::string& why) const {
        throw format_error("malformed format \"" + std::string(s_) + "\" at position " +
                           std::to_string(i_ + 1) + ": " + why);
    }

    void skip_blanks() {
        while (i_ < s_.size() && s_[i_] == ' ') ++i_;
    }
    char peek() {
        skip_blanks();
        return i_ < s_.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(s_[i_]))) : '\0';
    }
    void expect(char c) {
        if (peek() != c) fail(std::string("expected '") + c + "'");
        ++i_;
    }
    bool at_digit() { return std::isdigit(static_cast<unsigned char>(peek())) != 0; }

    int number() {
        if (!at_digit()) fail("expected a number");
        int value = 0;
        while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_]))) {
            value = value * 10 + (s_[i_] - '0');
            if (value > record_format::max_number) fail("number larger than 255");
            ++i_;
        }
        return value;
    }

    void add(const format_item& item, int times) {
        for (int k = 0; k < times; ++k) {
            if (f_.items_.size() >= record_format::max_items) fail("format expands to too many items");
            f_.items_.push_back(item);
        }
    }

    // A comma-separated list of items up to (not including) the closing ')'.
    // A bare slash needs no comma on either side.
    void parse_list(int depth) {
        if (peek() == ')') return;
        for (;;) {
            bool slash = parse_item(depth);
            char c = peek();
            if (c == ',') {
                ++i_;
                continue;
            }
            if (c == ')') return;
            if (slash || c == '/') continue;
            fail(c == '\0' ? "missing ')'" : "expected ',' or ')'");
        }
    }

    // Parses one item; returns true when it was a slash.
    bool parse_item(int depth) {
        char c = peek();
        if (c == '\'' || c == '"') {
            literal(c);
            return false;
        }
        if (c == '/') {
            ++i_;
            add({item_kind::slash}, 1);
            return true;
        }
        int repeat = 1;
        bool counted = at_digit();
        if (counted) {
            repeat = number();
            if (repeat == 0) fail("a repeat count must be at least 1");
        }
        c = peek();
        switch (c) {
        case '(': {
            ++i_;
            std::size_t start = f_.items_.size();
            parse_list(depth + 1);
            expect(')');
            std::vector<format_item> body(f_.items_.begin() + static_cast<std::ptrdiff_t>(start),
                                          f_.items_.end());
            for (int k = 1; k < repeat; ++k)
                for (const format_item& item : body) add(item, 1);
            if (depth == 0) f_.reversion_point_ = start;
            return false;
        }
        case '/':
            ++i_;
            add({item_kind::slash}, repeat);
            return true;
        case 'X':
            if (!counted) fail("X needs a count");
            ++i_;
            add({item_kind::skip, repeat}, 1);
            return false;
        case 'I':
            ++i_;
            add({item_kind::integer, width()}, repeat);
            return false;
        case 'A': {
            ++i_;
            int w = at_digit() ? width() : 1;
            add({item_kind::character, w}, repeat);
            return false;
        }
        case 'F':
        case 'E': {
            ++i_;
            format_item item{c == 'F' ? item_kind::fixed : item_kind::exponent, width()};
            expect('.');
            item.digits = number();
            if (c == 'E' && item.digits == 0) fail("E needs at least one digit");
            add(item, repeat);
            return false;
        }
        case ')':
        case ',':
            fail("expected an item");
        default:
            fail(c == '\0' ? "missing ')'" : std::string("unknown descriptor '") + c + "'");
        }
    }

    int width() {
        int w = number();
        if (w == 0) fail("a field width must be at least 1");
        return w;
    }

    // Quoted text; a doubled quote stands for one quote character.
    void literal(char quote) {
        ++i_;
        std::string text;
        for (;;) {
            if (i_ >= s_.size()) fail("unterminated literal text");
            char ch = s_[i_++];
            if (ch == quote) {
                if (i_ < s_.size() && s_[i_] == quote) {
                    text += quote;
                    ++i_;
                    continue;
                }
                break;
            }
            text += ch;
        }
        format_item item{item_kind::literal};
        item.text_offset = static_cast<std::uint32_t>(f_.literals_.size());
        item.text_length = static_cast<std::uint32_t>(text.size());
        f_.literals_ += text;
        add(item, 1);
    }

    record_format& f_;
    std::string_view s_;
    std::size_t i_ = 0;
};

record_format::record_format(std::string_view text) : text_(text) {
    static std::atomic<std::uint64_t> formats_built{0};
    serial_ = ++formats_built;
    format_parser(*this, text).parse();
}

std::string descriptor_name(const format_item& item) {
    std::string name;
    switch (item.kind) {
    case item_kind::integer: name = "I"; break;
    case item_kind::fixed: name = "F"; break;
    case item_kind::exponent: name = "E"; break;
    case item_kind::character: name = "A"; break;
    case item_kind::skip: return std::to_string(item.width).append("X");
    case item_kind::slash: return "/";
    case item_kind::literal: return "literal";
    }
    name.append(std::to_string(item.width));
    if (item.kind == item_kind::fixed || item.kind == item_kind::exponent)
        name.append(".").append(std::to_string(item.digits));
    return name;
}

}  // namespace records
