#include "topo/element_record.hpp"

#include "topo/units.hpp"

namespace topo {

void element_writer::write(const element& e, float ang, std::int32_t itype) {
    static const records::record_format layout("(4I6,F8.2,I3)");
    r_.write(units::wtopo_out, layout, e.number, e.first, e.second, e.third, ang, itype);
}

}  // namespace topo
