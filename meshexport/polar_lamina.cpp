#include "meshexport/polar_lamina.hpp"

#include <cmath>
#include <string_view>

#include "layouts/lamina_report.hpp"

namespace meshexport {
namespace {

using records::record_format;

// Reads records of the unit until `record` is the next one.
void skip_to(records::run& r, records::input_unit unit, long record) {
    static const record_format any_record("(A1)");
    char ignored = ' ';
    while (r.record_number(unit) + 1 < record) r.read(unit, any_record, ignored);
}

// Ends the run unless the record read last begins with `label`.
void check_label(records::run& r, records::input_unit unit, std::string_view text, std::string_view label, std::string_view what) {
    if (text != label)
        r.fail_at_record(unit, "holds no " + std::string(what) + " where polar writes it (\"" + std::string(label) +
                                   "\"); is this polar's report?");
}

}  // namespace

lamina read_lamina(records::run& r, records::input_unit unit, int fraction_number) {
    using namespace layouts;
    static const record_format fraction_format("(21A1,F5.2)");
    static const record_format unit_format("(15A1,20A1)");
    static const record_format constant_format("(45A1,E10.3)");
    lamina l;
    l.fraction_number = fraction_number;
    r.open_or_stop(unit, polar_report_file);
    r.read_as_table(unit, records::run::blank_lines::records);

    std::string label(fraction_label.size(), ' ');
    skip_to(r, unit, report_record(fraction_number, fraction_line));
    r.read(unit, fraction_format, std::span<char>(label), l.fraction);
    check_label(r, unit, label, fraction_label, "volume fraction");

    label.assign(unit_label.size(), ' ');
    std::string unit_text(unit_width, ' ');
    skip_to(r, unit, report_record(fraction_number, unit_line));
    r.read(unit, unit_format, std::span<char>(label), std::span<char>(unit_text));
    check_label(r, unit, label, unit_label, "unit of the moduli");
    while (!unit_text.empty() && unit_text.back() == ' ') unit_text.pop_back();
    l.unit = unit_text;

    for (std::size_t k = 0; k < engineering_constants.size(); ++k) {
        const constant_line& c = engineering_constants[k];
        label.assign(constant_label_width, ' ');
        skip_to(r, unit, report_record(fraction_number, c.line));
        r.read(unit, constant_format, std::span<char>(label), l.constants[k]);
        check_label(r, unit, label, c.label, c.name);
        float value = l.constants[k];
        bool is_modulus = k < 4;
        if (!std::isfinite(value) || (is_modulus && !(value > 0.0f)))
            r.fail_at_record(unit, std::string(c.name) + " is " + (is_modulus ? "no modulus above 0" : "not finite") +
                                       "; the plies need polar's lamina whole");
    }
    return l;
}

}  // namespace meshexport
