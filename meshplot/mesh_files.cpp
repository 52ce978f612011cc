#include "meshplot/mesh_files.hpp"

#include "layouts/mesh_tables.hpp"
#include "plots/table_scan.hpp"
#include "meshplot/units.hpp"

namespace meshplot {

namespace {

// Opens the table and reads its records, every line up to the last one that
// holds anything (blank lines after it are no records), with `read_one`
// (unit, record number from 1) each.
template <typename Record, typename ReadOne>
std::vector<Record> read_table(records::run& r, int unit, const std::string& file_name, ReadOne read_one) {
    r.open_or_stop(unit, file_name, records::file_status::old);
    plots::table_scan scan = plots::scan_table(file_name);
    if (!scan.readable) r.fail("cannot read " + file_name);
    std::vector<Record> table;
    table.reserve(static_cast<std::size_t>(scan.last_nonblank));
    for (long k = 1; k <= scan.last_nonblank; ++k) table.push_back(read_one(unit, k));
    return table;
}

}  // namespace

std::vector<node_record> read_nodes(records::run& r, const std::string& file_name) {
    return read_table<node_record>(r, units::wnodes_out, file_name, [&r](int unit, long k) {
        layouts::node_record n;  // the flags are read and checked, not kept
        layouts::read_record(r, unit, n);
        return node_record{n.number, n.h, n.v, k};
    });
}

std::vector<element_record> read_elements(records::run& r, const std::string& file_name) {
    return read_table<element_record>(r, units::wtopo_out, file_name, [&r](int unit, long k) {
        layouts::element_record e;
        layouts::read_record(r, unit, e);
        return element_record{e.number, e.nodes, e.angle, e.type, k};
    });
}

}  // namespace meshplot
