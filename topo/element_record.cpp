#include "topo/element_record.hpp"

#include "layouts/mesh_tables.hpp"
#include "topo/units.hpp"

namespace topo {

void element_writer::write(const element& e, float ang, std::int32_t itype) {
    layouts::write_record(r_, units::wtopo_out,
                          layouts::element_record{e.number, {e.first, e.second, e.third}, ang, itype});
}

}  // namespace topo
