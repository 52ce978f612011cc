#include "meshplot/mesh_files.hpp"

#include "layouts/mesh_tables.hpp"
#include "mesh/table_reading.hpp"
#include "meshplot/units.hpp"

namespace meshplot {

node_table read_nodes(records::run& r, std::string_view file_name) {
    node_table table;
    table.reserve(mesh_model::most_records<layouts::node_record>(file_name));
    mesh_model::read_table<layouts::node_record>(
        r, units::wnodes_out, file_name,
        [&](const layouts::node_record& n, long) { table.add({n.number, n.h, n.v}); });
    return table;
}

element_table read_elements(records::run& r, std::string_view file_name) {
    element_table table;
    table.reserve(mesh_model::most_records<element_record>(file_name));
    mesh_model::read_table<element_record>(r, units::wtopo_out, file_name,
                                           [&](const element_record& e, long line) { table.add(e, line); });
    return table;
}

}  // namespace meshplot
