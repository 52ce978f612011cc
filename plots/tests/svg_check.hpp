// What the picture tests look at in an SVG document: whether it is
// well-formed XML (one root, balanced tags, quoted attributes, escaped text)
// and which elements it holds.
#pragma once

#include <cctype>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace svg_check {

struct tag {
    std::string name;
    std::string text;  // the whole start tag, from '<' to '>'
};

namespace detail {

inline bool name_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':' || c == '.';
}

// Text and attribute values: '<' never, '&' only as an entity.
inline std::string check_text(std::string_view text) {
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '<') return "raw '<' in text";
        if (text[k] != '&') continue;
        std::size_t end = text.find(';', k);
        if (end == std::string_view::npos) return "unterminated entity";
        std::string_view entity = text.substr(k + 1, end - k - 1);
        static const std::set<std::string_view> known = {"amp", "lt", "gt", "quot", "apos"};
        if (!known.count(entity) && !(entity.size() > 1 && entity[0] == '#')) return "unknown entity";
        k = end;
    }
    return "";
}

}  // namespace detail

// An empty string when the document is well-formed, else what is wrong.
// `tags` receives every start tag in document order.
inline std::string well_formed_error(std::string_view doc, std::vector<tag>* tags = nullptr) {
    std::size_t pos = 0;
    if (doc.substr(0, 5) == "<?xml") {
        pos = doc.find("?>");
        if (pos == std::string_view::npos) return "unterminated XML declaration";
        pos += 2;
    }
    std::vector<std::string> open;
    int roots = 0;
    while (pos < doc.size()) {
        std::size_t lt = doc.find('<', pos);
        std::string_view text = doc.substr(pos, lt == std::string_view::npos ? std::string_view::npos : lt - pos);
        if (open.empty() && text.find_first_not_of(" \n\r\t") != std::string_view::npos)
            return "text outside the root element";
        if (auto e = detail::check_text(text); !e.empty()) return e;
        if (lt == std::string_view::npos) break;
        std::size_t gt = doc.find('>', lt);
        if (gt == std::string_view::npos) return "unterminated tag";
        std::string_view inside = doc.substr(lt + 1, gt - lt - 1);
        pos = gt + 1;
        if (!inside.empty() && inside[0] == '/') {
            std::string name(inside.substr(1));
            if (open.empty() || open.back() != name) return "closing tag </" + name + "> does not match";
            open.pop_back();
            continue;
        }
        bool empty_element = !inside.empty() && inside.back() == '/';
        if (empty_element) inside.remove_suffix(1);
        std::size_t k = 0;
        while (k < inside.size() && detail::name_char(inside[k])) ++k;
        if (k == 0) return "tag without a name";
        std::string name(inside.substr(0, k));
        // Attributes: name="value", each name once.
        std::set<std::string> seen;
        while (k < inside.size()) {
            if (!std::isspace(static_cast<unsigned char>(inside[k]))) return "junk in tag <" + name + ">";
            while (k < inside.size() && std::isspace(static_cast<unsigned char>(inside[k]))) ++k;
            if (k == inside.size()) break;
            std::size_t start = k;
            while (k < inside.size() && detail::name_char(inside[k])) ++k;
            if (k == start) return "bad attribute in <" + name + ">";
            std::string attribute(inside.substr(start, k - start));
            if (!seen.insert(attribute).second) return "attribute " + attribute + " twice in <" + name + ">";
            if (k + 1 >= inside.size() || inside[k] != '=' || inside[k + 1] != '"')
                return "attribute " + attribute + " not quoted";
            std::size_t close = inside.find('"', k + 2);
            if (close == std::string_view::npos) return "unterminated attribute value";
            if (auto e = detail::check_text(inside.substr(k + 2, close - k - 2)); !e.empty()) return e;
            k = close + 1;
        }
        if (open.empty() && ++roots > 1) return "more than one root element";
        if (tags) tags->push_back({name, std::string(doc.substr(lt, gt - lt + 1))});
        if (!empty_element) open.push_back(name);
    }
    if (!open.empty()) return "unclosed <" + open.back() + ">";
    if (roots != 1) return "no root element";
    return "";
}

inline std::vector<tag> tags_of(std::string_view doc) {
    std::vector<tag> tags;
    well_formed_error(doc, &tags);
    return tags;
}

// Start tags of elements `name` whose start tag contains `part` (e.g.
// `class="curve"`); all of them when `part` is empty.
inline std::vector<std::string> elements(std::string_view doc, std::string_view name, std::string_view part = {}) {
    std::vector<std::string> found;
    for (const tag& t : tags_of(doc))
        if (t.name == name && t.text.find(part) != std::string::npos) found.push_back(t.text);
    return found;
}

// The texts of all <text> elements, in order.
inline std::vector<std::string> texts(std::string_view doc) {
    std::vector<std::string> found;
    std::size_t pos = 0;
    while ((pos = doc.find("<text", pos)) != std::string_view::npos) {
        std::size_t start = doc.find('>', pos) + 1;
        std::size_t end = doc.find("</text>", start);
        found.emplace_back(doc.substr(start, end - start));
        pos = end;
    }
    return found;
}

}  // namespace svg_check
