#include "plots/svg.hpp"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace plots {

std::string number(double value) {
    if (!std::isfinite(value)) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += ch; break;
        }
    }
    return out;
}

std::string attribute(std::string_view name, std::string_view value) {
    return std::string(name) + "=\"" + escaped(value) + "\"";
}

namespace {

void append_points(std::string& out, std::span<const point> points) {
    bool first = true;
    for (const point& p : points) {
        if (!first) out += ' ';
        first = false;
        out += number(p.x);
        out += ',';
        out += number(p.y);
    }
}

void append_style(std::string& out, std::string_view style) {
    if (style.empty()) return;
    out += ' ';
    out += style;
}

}  // namespace

svg_document::svg_document(double width, double height, std::string_view title) {
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(width) + "\" height=\"" + number(height) +
            "\" viewBox=\"0 0 " + number(width) + " " + number(height) +
            "\" font-family=\"DejaVu Sans, Liberation Sans, Arial, Helvetica, sans-serif\">\n";
    out_ += "<title>" + escaped(title) + "</title>\n";
    out_ += "<rect x=\"0\" y=\"0\" width=\"" + number(width) + "\" height=\"" + number(height) +
            "\" fill=\"#ffffff\"/>\n";
}

svg_document::svg_document(double width, double height, std::string_view title,
                           std::function<void(std::string_view)> sink)
    : svg_document(width, height, title) {
    sink_ = std::move(sink);
    spill();
}

void svg_document::spill() {
    if (sink_ && out_.size() >= spill_size) {
        sink_(out_);
        out_.clear();
    }
}

void svg_document::line(point a, point b, std::string_view style) {
    out_ += "<line x1=\"" + number(a.x) + "\" y1=\"" + number(a.y) + "\" x2=\"" + number(b.x) + "\" y2=\"" +
            number(b.y) + "\"";
    append_style(out_, style);
    out_ += "/>\n";
    spill();
}

void svg_document::rect(double x, double y, double width, double height, std::string_view style) {
    out_ += "<rect x=\"" + number(x) + "\" y=\"" + number(y) + "\" width=\"" + number(width) + "\" height=\"" +
            number(height) + "\"";
    append_style(out_, style);
    out_ += "/>\n";
    spill();
}

void svg_document::circle(point centre, double radius, std::string_view style) {
    out_ += "<circle cx=\"" + number(centre.x) + "\" cy=\"" + number(centre.y) + "\" r=\"" + number(radius) + "\"";
    append_style(out_, style);
    out_ += "/>\n";
    spill();
}

void svg_document::polygon(std::span<const point> corners, std::string_view style) {
    out_ += "<polygon points=\"";
    append_points(out_, corners);
    out_ += "\"";
    append_style(out_, style);
    out_ += "/>\n";
    spill();
}

void svg_document::path(const std::vector<std::vector<point>>& pieces, std::string_view style) {
    std::string d;
    for (const auto& piece : pieces) {
        if (piece.size() < 2) continue;
        for (std::size_t k = 0; k < piece.size(); ++k) {
            if (!d.empty()) d += ' ';
            d += k == 0 ? 'M' : 'L';
            d += number(piece[k].x);
            d += ',';
            d += number(piece[k].y);
        }
    }
    if (d.empty()) return;
    out_ += "<path d=\"" + d + "\"";
    append_style(out_, style);
    out_ += "/>\n";
    spill();
}

void svg_document::text(point at, std::string_view content, double size, anchor where, std::string_view style) {
    static const char* const anchors[] = {"start", "middle", "end"};
    out_ += "<text x=\"" + number(at.x) + "\" y=\"" + number(at.y) + "\" font-size=\"" + number(size) +
            "\" text-anchor=\"" + anchors[static_cast<int>(where)] + "\"";
    append_style(out_, style);
    out_ += ">" + escaped(content) + "</text>\n";
    spill();
}

void svg_document::begin_group(std::string_view attributes) {
    out_ += "<g";
    append_style(out_, attributes);
    out_ += ">\n";
    ++open_groups_;
}

void svg_document::end_group() {
    if (open_groups_ == 0) return;
    out_ += "</g>\n";
    --open_groups_;
}

void svg_document::raw(std::string_view markup) {
    // A block as large as a spill goes to the sink as it stands, after the
    // text before it, rather than copied into the document first.
    if (sink_ && markup.size() >= spill_size) {
        if (!out_.empty()) sink_(out_);
        out_.clear();
        sink_(markup);
        return;
    }
    out_ += markup;
    spill();
}

std::string svg_document::finish() {
    while (open_groups_ > 0) end_group();
    std::string done = std::move(out_);
    done += "</svg>\n";
    out_.clear();
    if (sink_) {
        sink_(done);
        return {};
    }
    return done;
}

svg_file::svg_file(records::run& r, const std::string& file_name) : svg_file(r, file_name, picture_unit) {}

svg_file::svg_file(records::run& r, const std::string& file_name, records::output_unit unit) : run_(r), unit_(unit) {
    run_.open_or_stop(unit_, file_name, records::file_status::unknown);
}

void svg_file::write(std::string_view block) {
    std::size_t last = block.rfind('\n');
    if (last == std::string_view::npos) {
        pending_.append(block);
        return;
    }
    if (pending_.empty()) {
        run_.write_lines(unit_, block.substr(0, last + 1));
    } else {
        pending_.append(block.substr(0, last + 1));
        run_.write_lines(unit_, pending_);
    }
    pending_.assign(block.substr(last + 1));
}

void svg_file::close() {
    if (!pending_.empty()) run_.write_lines(unit_, pending_);
    pending_.clear();
}

void write_file(records::run& r, const std::string& file_name, const std::string& content) {
    svg_file file(r, file_name);
    file.write(content);
    file.close();
}

}  // namespace plots
