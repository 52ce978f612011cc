#include "meshplot/mesh_files.hpp"

namespace meshplot {

std::vector<node_record> read_nodes(records::run& r, const std::string& file_name) {
    static const records::record_format node_format("(I6,3I3,2F12.6)");
    constexpr int unit = 5;
    if (!r.open_unit(unit, file_name, records::file_status::old)) r.stop_run();
    std::vector<node_record> nodes;
    while (r.has_record(unit)) {
        node_record n;
        std::int32_t flags[3] = {};  // read and checked, not kept
        r.read(unit, node_format, n.number, flags[0], flags[1], flags[2], n.h, n.v);
        n.record = static_cast<long>(nodes.size()) + 1;
        nodes.push_back(n);
    }
    return nodes;
}

std::vector<element_record> read_elements(records::run& r, const std::string& file_name) {
    static const records::record_format element_format("(4I6,F8.2,I3)");
    constexpr int unit = 7;
    if (!r.open_unit(unit, file_name, records::file_status::old)) r.stop_run();
    std::vector<element_record> elements;
    while (r.has_record(unit)) {
        element_record e;
        r.read(unit, element_format, e.number, e.nodes[0], e.nodes[1], e.nodes[2], e.angle, e.type);
        e.record = static_cast<long>(elements.size()) + 1;
        elements.push_back(e);
    }
    return elements;
}

}  // namespace meshplot
