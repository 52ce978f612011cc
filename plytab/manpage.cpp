// Turns a program's --help text (standard input) into its manual page in
// section 1 (standard output), so that the page and the help never drift:
//   manpage TITLE-FOOTER < help > program.1
// The help texts of the suite share one layout, which this reads:
//   Usage: NAME ...           the first line: the synopsis
//   Summary sentence.         the second line: the NAME line and the start
//                             of the description
//   Heading:                  a line at column 0 ending in a colon: a section
//     term  text              two blanks, a term, two or more blanks, its text
//           more text         a deeper line right after: the text goes on
//       verbatim line         four or more blanks after a blank line: shown
//                             as it stands, up to the next blank line
//   other text                a paragraph, filled
#include <cctype>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Text as roff shows it literally: backslashes and minus signs escaped, and
// a line that would start with a control character made safe.
std::string roff_text(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\\')
            out += "\\e";
        else if (ch == '-')
            out += "\\-";
        else
            out += ch;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

// Fill text with the blanks inside a quoted format, such as
// (1X,' I=',I2), made unbreakable, so that a format never splits there.
std::string fill_text(const std::string& text) {
    std::string kept = text;
    for (std::size_t open = kept.find('('); open != std::string::npos; open = kept.find('(', open + 1)) {
        int depth = 0;
        std::size_t close = open;
        for (; close < kept.size(); ++close) {
            if (kept[close] == '(') ++depth;
            if (kept[close] == ')' && --depth == 0) break;
        }
        if (close == kept.size()) break;
        if (kept.find('\'', open) > close) continue;
        for (std::size_t k = open; k < close; ++k)
            if (kept[k] == ' ') kept[k] = '\x01';
    }
    std::string out;
    for (char ch : roff_text(kept)) {
        if (ch == '\x01')
            out += "\\ ";
        else
            out += ch;
    }
    return out;
}

std::size_t indent_of(const std::string& line) {
    std::size_t n = line.find_first_not_of(' ');
    return n == std::string::npos ? line.size() : n;
}

std::string trimmed(const std::string& line) {
    std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::size_t last = line.find_last_not_of(' ');
    return line.substr(first, last - first + 1);
}

bool is_heading(const std::string& line) {
    return !line.empty() && std::isupper(static_cast<unsigned char>(line[0])) && line.back() == ':' &&
           line.size() <= 40 && line.find(": ") == std::string::npos;
}

std::string upper(std::string text) {
    for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: manpage FOOTER < help > page.1\n";
        return 2;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(std::cin, line);) lines.push_back(line);
    const std::string usage_prefix = "Usage: ";
    if (lines.size() < 2 || lines[0].rfind(usage_prefix, 0) != 0) {
        std::cerr << "manpage: the help does not start with a \"Usage:\" line\n";
        return 1;
    }
    std::string synopsis = lines[0].substr(usage_prefix.size());
    std::string name = synopsis.substr(0, synopsis.find(' '));
    std::string arguments = synopsis.size() > name.size() ? synopsis.substr(name.size() + 1) : "";
    std::string summary = lines[1];
    std::string name_line = summary;
    if (!name_line.empty() && name_line.back() == '.') name_line.pop_back();
    if (!name_line.empty())
        name_line[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name_line[0])));

    std::ostream& out = std::cout;
    out << ".TH " << upper(name) << " 1 \"\" \"" << roff_text(argv[1]) << "\" \"User Commands\"\n.nh\n.ad l\n";
    out << ".SH NAME\n" << roff_text(name) << " \\- " << roff_text(name_line) << "\n";
    out << ".SH SYNOPSIS\n.B " << roff_text(name) << "\n" << roff_text(arguments) << "\n";
    out << ".SH DESCRIPTION\n" << roff_text(summary) << "\n";

    enum class state { paragraph, entry, verbatim, blank };
    state at = state::paragraph;
    for (std::size_t k = 2; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        std::string text = trimmed(line);
        std::size_t indent = indent_of(line);
        if (text.empty()) {
            if (at == state::verbatim) out << ".fi\n.RE\n";
            at = state::blank;
            continue;
        }
        if (at == state::verbatim) {
            out << roff_text(line.substr(std::min<std::size_t>(4, indent))) << "\n";
            continue;
        }
        if (indent == 0 && is_heading(text)) {
            out << ".SH " << roff_text(upper(text.substr(0, text.size() - 1))) << "\n";
            at = state::paragraph;
            continue;
        }
        if (indent >= 4 && at == state::blank) {
            out << ".PP\n.RS 4\n.nf\n" << roff_text(line.substr(4)) << "\n";
            at = state::verbatim;
            continue;
        }
        if (indent > 2 && at == state::entry) {
            out << fill_text(text) << "\n";
            continue;
        }
        if (indent == 2) {
            std::string body = line.substr(2);
            std::size_t gap = body.find("  ");
            std::string term = gap == std::string::npos ? body : body.substr(0, gap);
            std::string rest = gap == std::string::npos ? "" : trimmed(body.substr(gap));
            out << ".TP\n.B " << roff_text(term) << "\n";
            if (!rest.empty()) out << fill_text(rest) << "\n";
            at = state::entry;
            continue;
        }
        if (at == state::blank || at == state::entry) out << ".PP\n";
        out << fill_text(text) << "\n";
        at = state::paragraph;
    }
    if (at == state::verbatim) out << ".fi\n.RE\n";
    // Where every file's records and every quantity are described, and the
    // walk-through of a laminate of one's own: installed beside the pages.
    out << ".SH SEE ALSO\n" << roff_text("formats.md (every file the suite reads or writes, column by column, "
                                          "and every quantity it prints) and tutorial.md (a laminate of one's own "
                                          "through the whole chain), in share/doc/plytab under the install prefix "
                                          "(docs/ in the source).")
        << "\n";
    out.flush();
    return out ? 0 : 1;
}
