#include "layouts/node_table.hpp"

namespace layouts {

void write_node(records::run& r, int unit, const node_record& n) {
    r.write(unit, node_format, n.number, n.flags[0], n.flags[1], n.flags[2], n.h, n.v);
}

void read_node(records::run& r, int unit, node_record& n) {
    r.read(unit, node_format, n.number, n.flags[0], n.flags[1], n.flags[2], n.h, n.v);
}

}  // namespace layouts
