// A small writer of self-contained SVG pictures. Elements are appended as
// text to one document held in memory; the document is written to its file
// in one go once it is complete, so a picture is never left half written by
// an input error.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/run.hpp"

namespace plots {

struct point {
    double x = 0.0;
    double y = 0.0;
};

// A coordinate or length as the document writes it: at most two decimals,
// no trailing zeros, never "-0". A non-finite value is written as 0; callers
// leave such points out before they get here.
std::string number(double value);

// Text with the five XML special characters escaped.
std::string escaped(std::string_view text);

enum class anchor { start, middle, end };

class svg_document {
public:
    // A picture of width by height user units, with a viewBox of the same
    // size so that it scales, a white background and a title for viewers.
    svg_document(double width, double height, std::string_view title);

    // Elements. `style` is a list of attributes written as they stand
    // (e.g. R"(stroke="#333" fill="none")"); the caller's text is escaped.
    void line(point a, point b, std::string_view style);
    void rect(double x, double y, double width, double height, std::string_view style);
    void circle(point centre, double radius, std::string_view style);
    void polygon(std::span<const point> corners, std::string_view style);
    // One path of several pieces: each inner list is one run of points
    // joined by straight lines; pieces with fewer than two points are dropped,
    // and the path is not written at all when no piece is left.
    void path(const std::vector<std::vector<point>>& pieces, std::string_view style);
    void text(point at, std::string_view content, double size, anchor where = anchor::start,
              std::string_view style = {});

    // Groups, to give related elements one class.
    void begin_group(std::string_view attributes);
    void end_group();

    // Raw markup, already escaped: for the rare element the helpers lack.
    void raw(std::string_view markup);

    // The finished document (closes the open groups and the svg element).
    std::string finish();

private:
    std::string out_;
    int open_groups_ = 0;
};

// Writes `content` to `file_name` in the working directory. A file that
// cannot be written ends the run with "program: cannot write name: reason".
void write_file(records::run& r, const std::string& file_name, const std::string& content);

}  // namespace plots
