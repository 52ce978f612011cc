#include "stressimport/solver_stresses.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "layouts/element_stresses.hpp"
#include "layouts/mesh_tables.hpp"
#include "mesh/large_tables.hpp"
#include "mesh/record_lines.hpp"
#include "records/block_reading.hpp"
#include "records/input_editing.hpp"
#include "records/tables.hpp"
#include "stressimport/units.hpp"

namespace stressimport {
namespace {

// A CPS3 element is solved as a wedge with two integration points.
constexpr std::int32_t points_per_element = 2;
// The largest element number of wtopo.out.
constexpr std::int32_t max_number = layouts::max_number;

// One element of the last stress block: the sums of sxx, syy and sxy over
// its integration points.
struct element_sums {
    std::int32_t number = 0;
    std::int32_t points = 0;
    std::array<double, 3> sum{};
};

// Both tables take the model's large-table memory: a million elements
// and more come in a few large pages rather than thousands of small ones.
struct stress_block {
    mesh_model::large_table<element_sums> elements;
    mesh_model::large_table<std::int32_t> position;  // element number to position + 1, 0 when absent
    // The record of each element's first line: two lines each, as a rule.
    mesh_model::record_lines first_lines{points_per_element};
    void clear() {
        for (const element_sums& e : elements) position[static_cast<std::size_t>(e.number)] = 0;
        elements.clear();
        first_lines = mesh_model::record_lines(points_per_element);
    }
    long record_of(const element_sums& e) const {
        return first_lines.line(static_cast<std::size_t>(&e - elements.data()));
    }
};

std::string text(std::int32_t n) { return std::to_string(n); }

// An integer field of the first columns of a stress line, with the record
// layer's diagnostic when it is malformed: "RESULTS, record N, columns
// F-T: "text" is not a valid IW field", as for the line's other fields.
std::int32_t integer_field(records::run& r, const std::string& results, std::string_view line, std::size_t first,
                           std::size_t width) {
    std::string_view field = line.substr(first, width);
    std::int32_t value = 0;
    records::field_status status = records::read_integer_field(field, value);
    if (status != records::field_status::ok)
        r.fail(results + ", record " + std::to_string(r.record_number(units::results)) + ", columns " +
               std::to_string(first + 1) + "-" + std::to_string(first + width) + ": " + records::quoted(field) +
               (status == records::field_status::invalid ? " is not a valid I" : " is out of range for an I") +
               std::to_string(width) + " field");
    return value;
}

void check_points(records::run& r, const std::string& results, const stress_block& block, const element_sums& e) {
    if (e.points != points_per_element)
        r.fail(results + ", record " + std::to_string(block.record_of(e)) + ": element " + text(e.number) + " has " +
               text(e.points) + " integration point" + (e.points == 1 ? "" : "s") + ", a CPS3 element has 2");
}

// A stress line's element, integration point and stresses: sxx, syy and
// sxy are kept, the out-of-plane ones only read.
struct stress_line {
    std::int32_t number = 0;
    std::int32_t point = 0;
    float sxx = 0.0f, syy = 0.0f, sxy = 0.0f;
    float szz = 0.0f, sxz = 0.0f, syz = 0.0f;
};

// The first 14 columns of a stress line are looked at as text (a heading, a
// blank line or the element and its integration point), then its six
// stresses are read by this format.
const records::record_format& line_format() {
    static const records::record_format format("(14X,6E14.6)");
    return format;
}

// A stress line read the fast way, without a statement: its six stresses
// as records::plain_reader reads a table's line (plain fields, the line no
// shorter than syz's last column, no carriage return at its end), element
// and point of blanks and digits, the element at least 1. False for any
// other line, which a read statement then takes.
bool read_plain_stress_line(std::string_view line, std::string_view previous, stress_line& out) {
    static const records::plain_reader<float, float, float, float, float, float> stresses(line_format());
    if (!stresses.read(line, previous, out.sxx, out.syy, out.szz, out.sxy, out.sxz, out.syz)) return false;
    // I10 is one column wider than read_plain_integer takes.
    return line[0] == ' ' && records::read_plain_integer(line.substr(1, 9), out.number) &&
           records::read_plain_integer(line.substr(10, 4), out.point) && out.number >= 1;
}

// Reads the results file to its end and keeps the last stress block. A stress line
// is "(I10,I4,6E14.6)": element, integration point, sxx, syy, szz, sxy, sxz,
// syz; its block begins with a line " stresses (elem, integ.pnt., ..." and
// ends at the first blank line after its stress lines. The file is read whole
// as the solver wrote it, its blank lines kept: a stress line that ends
// before syz, or a last line without its line feed, ends the run. The stress
// lines are read many at once (records/block_reading.hpp), each other line
// by a statement.
stress_block read_last_block(records::run& r, const std::string& results) {
    static const records::field_columns syz = records::last_field(line_format());
    static const std::string_view heading = " stresses (ele";
    stress_block block;
    block.position.assign(max_number + 1, 0);
    // Room for as many elements as the file can hold, two stress lines of
    // 98 characters each, so that the block never moves while it grows;
    // pages of it that no element reaches are never touched.
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(results), error);
    if (!error) block.elements.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size / (2 * 99), max_number)));
    bool in_block = false, found = false;
    element_sums* current = nullptr;
    // A stress line of the block, the current record of the results.
    auto take_stress = [&](const stress_line& line) {
        const std::int32_t number = line.number, point = line.point;
        if (number < 1 || number > max_number)
            r.fail_at_record(units::results, "element " + text(number) + " is not an element of wtopo.out");
        if (current == nullptr || current->number != number) {
            if (current != nullptr) check_points(r, results, block, *current);
            std::int32_t& position = block.position[static_cast<std::size_t>(number)];
            if (position != 0)
                r.fail_at_record(units::results, "element " + text(number) + " is printed twice in one stress block");
            block.first_lines.add(block.elements.size(), r.record_number(units::results));
            block.elements.push_back({number, 0, {}});
            position = static_cast<std::int32_t>(block.elements.size());
            current = &block.elements.back();
        }
        if (point > points_per_element && point == current->points + 1)
            r.fail_at_record(units::results, "element " + text(number) + ": integration point " + text(point) +
                                                 ", a CPS3 element has 2");
        if (point != current->points + 1)
            r.fail_at_record(units::results, "element " + text(number) + ": integration point " + text(point) +
                                                 " where " + text(current->points + 1) + " should follow");
        ++current->points;
        current->sum[0] += line.sxx;
        current->sum[1] += line.syy;
        current->sum[2] += line.sxy;
    };
    // A line read the fast way is a stress line of the block, or a line
    // outside any block, which is passed over.
    auto take_plain = [&](const stress_line& line) {
        if (in_block) take_stress(line);
    };
    auto read_one = [&] {
        if (!r.has_record(units::results)) return false;
        r.begin_read(units::results, line_format());
        std::string_view record_text = r.record_text();
        // The first 14 columns, blanks where the line is shorter.
        std::array<char, 14> head;
        head.fill(' ');
        record_text.copy(head.data(), head.size());
        std::string_view line(head.data(), head.size());
        bool blank = line.find_first_not_of(' ') == std::string_view::npos;
        if (line == heading) {
            if (current != nullptr) check_points(r, results, block, *current);
            block.clear();
            current = nullptr;
            in_block = found = true;
        } else if (in_block && blank) {
            in_block = block.elements.empty();  // the blank line under the heading
        } else if (in_block) {
            r.require_field(syz, "syz");
            stress_line stresses;
            stresses.number = integer_field(r, results, line, 0, 10);
            stresses.point = integer_field(r, results, line, 10, 4);
            std::array<float, 6> s{};
            r.read_reals(s);
            stresses.sxx = s[0];
            stresses.syy = s[1];
            stresses.sxy = s[3];
            take_stress(stresses);
        }
        r.end_read();
        return true;
    };
    // Handed on as a lambda, not as the function's address, so that it is
    // compiled into the loop over a block's lines: the line's values then
    // stay in registers rather than going through memory by a call.
    auto read_plain = [](std::string_view line, std::string_view previous, stress_line& out) {
        return read_plain_stress_line(line, previous, out);
    };
    records::read_in_blocks<stress_line>(r, units::results, read_plain, take_plain, read_one);
    if (current != nullptr) check_points(r, results, block, *current);
    if (!found) r.fail(results + " holds no element stresses (*EL PRINT with S)");
    return block;
}

}  // namespace

void import_stresses(records::run& r, const std::string& results) {
    r.open_or_stop(units::results, results);
    r.open_or_stop(units::wtopo_out, layouts::element_table_file);
    r.open_or_stop(units::wstresses_out, layouts::element_stresses_file, records::file_status::replaced);
    r.read_as_table(units::results, records::run::blank_lines::records);
    r.read_as_table(units::wtopo_out);
    stress_block block = read_last_block(r, results);
    std::vector<bool> used(block.elements.size());
    // Each element of wtopo.out, in its order, gets its mean stresses.
    auto take = [&](const layouts::element_record& element) {
        const std::int32_t number = element.number;
        std::int32_t at = number >= 1 && number <= max_number ? block.position[static_cast<std::size_t>(number)] : 0;
        if (at == 0) r.fail_at_record(units::wtopo_out, "element " + text(number) + " has no stresses in " + results);
        const element_sums& e = block.elements[static_cast<std::size_t>(at - 1)];
        used[static_cast<std::size_t>(at - 1)] = true;
        auto mean = [&e](std::size_t k) { return static_cast<float>(e.sum[k] / e.points); };
        layouts::write_record(r, units::wstresses_out, layouts::stress_record{mean(0), mean(1), mean(2)});
    };
    layouts::read_table_to_end<layouts::element_record>(r, units::wtopo_out, take);
    for (std::size_t i = 0; i < used.size(); ++i)
        if (!used[i])
            r.fail(results + ", record " + std::to_string(block.first_lines.line(i)) + ": element " +
                   text(block.elements[i].number) + " is not an element of wtopo.out");
}

}  // namespace stressimport
