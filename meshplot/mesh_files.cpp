#include "meshplot/mesh_files.hpp"

#include <filesystem>
#include <system_error>

#include "layouts/mesh_tables.hpp"
#include "meshplot/units.hpp"

namespace meshplot {

namespace {

// Opens the table and reads its records to its end with `read_one` (unit,
// record number), each checked whole. Every record reaches its last field,
// so a file of S bytes holds at most S / (columns + 1) records: the table is
// made that large at once, rather than copied as it grows (which would
// take half as much memory again at its peak, and the time of the copies).
template <typename Record, typename ReadOne>
std::vector<Record> read_table(records::run& r, int unit, const std::string& file_name, std::size_t columns,
                               ReadOne read_one) {
    r.open_or_stop(unit, file_name, records::file_status::old);
    r.read_as_table(unit);
    std::vector<Record> table;
    std::error_code error;
    std::uintmax_t bytes = std::filesystem::is_regular_file(file_name, error) ? std::filesystem::file_size(file_name, error) : 0;
    if (!error && bytes / (columns + 1) < table.max_size()) table.reserve(static_cast<std::size_t>(bytes / (columns + 1)));
    while (r.has_record(unit)) table.push_back(read_one(unit));
    return table;
}

}  // namespace

std::vector<node_record> read_nodes(records::run& r, const std::string& file_name) {
    return read_table<node_record>(r, units::wnodes_out, file_name, 39, [&r](int unit) {
        layouts::node_record n;  // the flags are read and checked, not kept
        layouts::read_table_record(r, unit, n);
        return node_record{n.number, n.h, n.v, r.record_number(unit)};
    });
}

std::vector<element_record> read_elements(records::run& r, const std::string& file_name) {
    return read_table<element_record>(r, units::wtopo_out, file_name, 35, [&r](int unit) {
        layouts::element_record e;
        layouts::read_table_record(r, unit, e);
        return element_record{e.number, e.nodes, e.angle, e.type, r.record_number(unit)};
    });
}

}  // namespace meshplot
