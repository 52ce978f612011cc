// A small writer of self-contained SVG pictures. Elements are appended as
// text to one document, which is either held in memory and written to its
// file in one go once it is complete, or handed to a sink in blocks as it
// grows, for pictures too large to hold. Either way a picture program reads
// all of its input before it writes, so an input error leaves no picture
// half written.
#pragma once

#include <cstdio>
#include <functional>
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

// One attribute, name="value", its value escaped: for text placed in an
// attribute rather than in an element.
std::string attribute(std::string_view name, std::string_view value);

enum class anchor { start, middle, end };

class svg_document {
public:
    // A picture of width by height user units, with a viewBox of the same
    // size so that it scales, a white background and a title for viewers.
    svg_document(double width, double height, std::string_view title);
    // The same, handing the text to `sink` in blocks of about 64 KiB.
    svg_document(double width, double height, std::string_view title,
                 std::function<void(std::string_view)> sink);

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

    // Raw markup, already escaped: for the rare element the helpers lack,
    // or many elements at once.
    void raw(std::string_view markup);

    // The finished document (closes the open groups and the svg element);
    // with a sink, the rest of it goes to the sink and the result is empty.
    std::string finish();

private:
    // With a sink, the text goes to it in blocks of at least this size.
    static constexpr std::size_t spill_size = 1u << 16;
    void spill();

    std::string out_;
    std::function<void(std::string_view)> sink_;
    int open_groups_ = 0;
};

// The unit a picture program writes its picture to.
inline constexpr records::output_unit picture_unit{20};

// A picture file written while its document grows, through the record layer
// like every output of the suite: emptied when the run's first statement
// begins, refused when it is one of the run's inputs, cut back to whole lines
// after a failed write or an interrupt. Blocks may end anywhere; whole lines
// go to the file as they complete. A failed write ends the run with
// "program: cannot write name: reason".
class svg_file {
public:
    svg_file(records::run& r, const std::string& file_name);
    // The same on another unit than picture_unit: for a program that has
    // more than one picture open at a time.
    svg_file(records::run& r, const std::string& file_name, records::output_unit unit);
    svg_file(const svg_file&) = delete;
    svg_file& operator=(const svg_file&) = delete;

    void write(std::string_view block);
    // Writes what is left of the last line.
    void close();

private:
    records::run& run_;
    records::output_unit unit_ = picture_unit;
    std::string pending_;  // the start of a line not yet complete
};

// Writes `content` to `file_name` in the working directory through the
// record layer, as svg_file does.
void write_file(records::run& r, const std::string& file_name, const std::string& content);

}  // namespace plots
