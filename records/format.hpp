// The parsed form of a record layout written in the format notation:
// Iw, Fw.d, Ew.d, Aw, nX, bare /, quoted literal text, repeat counts and
// groups nested to any depth.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace records {

enum class item_kind : std::uint8_t {
    integer,    // Iw
    fixed,      // Fw.d
    exponent,   // Ew.d
    character,  // Aw
    skip,       // nX
    slash,      // bare /
    literal,    // 'text'
};

struct format_item {
    item_kind kind;
    int width = 0;   // w of a data descriptor, n of nX
    int digits = 0;  // d of Fw.d and Ew.d
    std::uint32_t text_offset = 0;  // literal text, in record_format's text store
    std::uint32_t text_length = 0;

    // Iw, Fw.d, Ew.d and Aw take a value from the list; nX, / and literal
    // text do not.
    bool is_data() const {
        switch (kind) {
        case item_kind::integer:
        case item_kind::fixed:
        case item_kind::exponent:
        case item_kind::character:
            return true;
        case item_kind::skip:
        case item_kind::slash:
        case item_kind::literal:
            return false;
        }
        return false;
    }

    // The kind of value a data item takes: a real for Fw.d and Ew.d alike
    // (item_kind::fixed), else its own kind.
    item_kind value_kind() const { return kind == item_kind::exponent ? item_kind::fixed : kind; }
};

// Where a data item's field stands in the one record of a format without a
// slash, and which kind of value it takes.
struct field_place {
    std::uint32_t offset = 0;
    std::uint32_t item = 0;  // its index in items()
    item_kind kind = item_kind::integer;
    item_kind value = item_kind::integer;  // integer, fixed (for Fw.d and Ew.d) or character
    std::uint8_t width = 0;
    std::uint8_t digits = 0;
};

// A format text that cannot be parsed. Format texts are constants of the
// programs, so this is a programming error, raised when the format is built.
class format_error : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Repeat counts and groups are expanded when the format is built, so format
// control is a walk along a flat list. Reversion goes back to the first item
// of the expanded last top-level group, which is the same as taking that
// group again with its repeat count in force from its beginning.
class record_format {
public:
    // Widths, digits, repeat counts and nX are limited to this; the system's
    // largest is 62.
    static constexpr int max_number = 255;
    // Limit of the expanded item list.
    static constexpr std::size_t max_items = 65536;

    explicit record_format(std::string_view text);

    std::span<const format_item> items() const { return items_; }
    std::size_t reversion_point() const { return reversion_point_; }
    // True when the items from the reversion point on hold a data descriptor,
    // so that reverting makes progress.
    bool reverts_to_data() const { return reverts_to_data_; }
    bool has_data() const { return has_data_; }
    std::string_view literal(const format_item& item) const {
        return std::string_view(literals_).substr(item.text_offset, item.text_length);
    }
    const std::string& text() const { return text_; }
    // True when a statement with one value for each data item writes one
    // record of record_length() characters (the format has no slash); that
    // record is then record_template() (blanks and the literal text) with each value
    // edited into its field.
    bool one_record() const { return one_record_; }
    std::size_t record_length() const { return record_template_.size(); }
    const std::string& record_template() const { return record_template_; }
    std::span<const field_place> fields() const { return fields_; }
    // A number no other format built in this process has (a copy keeps it,
    // having the same layout), so a record made with one format can be
    // recognised later without holding on to the format itself.
    std::uint64_t serial() const { return serial_; }

private:
    friend class format_parser;
    std::string text_;
    std::string literals_;
    std::vector<format_item> items_;
    std::size_t reversion_point_ = 0;
    bool reverts_to_data_ = false;
    bool has_data_ = false;
    bool one_record_ = true;
    std::string record_template_;
    std::vector<field_place> fields_;
    std::uint64_t serial_ = 0;
};

// The descriptor as written in a format, for diagnostics: "I4", "F7.5".
std::string descriptor_name(const format_item& item);

}  // namespace records
