#include <algorithm>
#include <string>
#include <string_view>

#include "meshexport/layer_angles.hpp"
#include "meshexport/mesh_writers.hpp"
#include "meshexport/writer_lines.hpp"

namespace meshexport {

using records::record_format;

void write_inp(records::run& r, records::output_unit unit, const mesh& m) {
    static const record_format node_line("(I7,',',F12.6,',',F12.6)");
    static const record_format element_line("(I7,3(',',I7))");
    // A set's numbers, 16 to a line, without a comma at a line's end.
    static const record_format number_line("(I7,15(',',I7))");
    // The `count` numbers that next_number() gives, one call each.
    auto write_set = [&](std::string_view card, std::size_t count, auto next_number) {
        if (count == 0) return;
        line(r, unit, card);
        std::vector<records::output_value> numbers;
        numbers.reserve(16);
        for (std::size_t first = 0; first < count; first += 16) {
            std::size_t n = std::min<std::size_t>(16, count - first);
            static const std::vector<record_format> short_lines = [] {
                std::vector<record_format> formats;
                for (int k = 1; k <= 16; ++k)
                    formats.emplace_back(k == 1 ? "(I7)" : "(I7," + std::to_string(k - 1) + "(',',I7))");
                return formats;
            }();
            numbers.clear();
            for (std::size_t i = 0; i < n; ++i) numbers.emplace_back(next_number());
            r.write_values(unit, n == 16 ? number_line : short_lines[n - 1], numbers);
        }
    };

    line(r, unit, "*NODE, NSET=NALL");
    for (const node_record& n : m.nodes) r.write(unit, node_line, n.number, n.h, n.v);
    line(r, unit, "*ELEMENT, TYPE=CPE3, ELSET=EALL");
    for (const element_record& e : m.elements) r.write(unit, element_line, e.number, e.nodes[0], e.nodes[1], e.nodes[2]);
    // An element set for each type code, then one for each angle.
    auto element_sets = [&](auto key_of, auto name_of) {
        for_each_group(m, key_of, [&](auto key, const auto& positions) {
            write_set("*ELSET, ELSET=" + name_of(key), positions.size(),
                      [&, at = positions.begin()]() mutable {
                          std::int32_t number = m.elements[*at].number;
                          ++at;
                          return number;
                      });
        });
    };
    element_sets(type_of, [](std::int32_t code) { return "TYPE" + std::to_string(code); });
    element_sets(angle_of, angle_set_name);
    static const char* const set_names[3] = {"H0V12", "H0", "V12"};
    for (std::size_t f = 0; f < 3; ++f) {
        std::vector<std::int32_t> numbers;
        for (const node_record& n : m.nodes)
            if (n.flags[f] != 0) numbers.push_back(n.number);
        write_set("*NSET, NSET=" + std::string(set_names[f]), numbers.size(),
                  [&, k = std::size_t{0}]() mutable { return numbers[k++]; });
    }
    // The nodes at the smallest v, which the job holds along v.
    if (!m.nodes.empty()) {
        float lowest = m.nodes.front().v;
        for (const node_record& n : m.nodes) lowest = std::min(lowest, n.v);
        std::vector<std::int32_t> bottom;
        for (const node_record& n : m.nodes)
            if (n.v == lowest) bottom.push_back(n.number);
        write_set("*NSET, NSET=BOTTOM", bottom.size(), [&, k = std::size_t{0}]() mutable { return bottom[k++]; });
    }
}

}  // namespace meshexport
