#include "topo/element_record.hpp"

#include "topo/units.hpp"

namespace topo {

void element_writer::write(const element& e, float ang, std::int32_t itype) {
    static const records::record_format layout("(4I6,F8.2,I3)");
    r_.begin_write(units::wtopo_out, layout);
    r_.write_int(e.number);
    r_.write_int(e.first);
    r_.write_int(e.second);
    r_.write_int(e.third);
    r_.write_real(ang);
    r_.write_int(itype);
    r_.end_write();
}

}  // namespace topo
