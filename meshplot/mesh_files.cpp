#include "meshplot/mesh_files.hpp"

#include "plots/table_scan.hpp"
#include "meshplot/units.hpp"

namespace meshplot {

namespace {

// The records of the table: every line up to the last one that holds
// anything; blank lines after it are no records.
long table_records(records::run& r, const std::string& file_name) {
    plots::table_scan scan = plots::scan_table(file_name);
    if (!scan.readable) r.fail("cannot read " + file_name);
    return scan.last_nonblank;
}

}  // namespace

std::vector<node_record> read_nodes(records::run& r, const std::string& file_name) {
    static const records::record_format node_format("(I6,3I3,2F12.6)");
    constexpr int unit = units::wnodes_out;
    r.open_or_stop(unit, file_name, records::file_status::old);
    long count = table_records(r, file_name);
    std::vector<node_record> nodes;
    nodes.reserve(static_cast<std::size_t>(count));
    for (long k = 1; k <= count; ++k) {
        node_record n;
        std::int32_t flags[3] = {};  // read and checked, not kept
        r.read(unit, node_format, n.number, flags[0], flags[1], flags[2], n.h, n.v);
        n.record = k;
        nodes.push_back(n);
    }
    return nodes;
}

std::vector<element_record> read_elements(records::run& r, const std::string& file_name) {
    static const records::record_format element_format("(4I6,F8.2,I3)");
    constexpr int unit = units::wtopo_out;
    r.open_or_stop(unit, file_name, records::file_status::old);
    long count = table_records(r, file_name);
    std::vector<element_record> elements;
    elements.reserve(static_cast<std::size_t>(count));
    for (long k = 1; k <= count; ++k) {
        element_record e;
        r.read(unit, element_format, e.number, e.nodes[0], e.nodes[1], e.nodes[2], e.angle, e.type);
        e.record = k;
        elements.push_back(e);
    }
    return elements;
}

}  // namespace meshplot
