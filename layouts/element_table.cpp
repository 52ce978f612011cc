#include "layouts/element_table.hpp"

namespace layouts {

void write_element(records::run& r, int unit, const element_record& e) {
    r.write(unit, element_format, e.number, e.nodes[0], e.nodes[1], e.nodes[2], e.angle, e.type);
}

void read_element(records::run& r, int unit, element_record& e) {
    r.read(unit, element_format, e.number, e.nodes[0], e.nodes[1], e.nodes[2], e.angle, e.type);
}

}  // namespace layouts
