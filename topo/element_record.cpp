#include "topo/element_record.hpp"

#include "layouts/element_table.hpp"
#include "topo/units.hpp"

namespace topo {

void element_writer::write(const element& e, float ang, std::int32_t itype) {
    layouts::write_element(r_, units::wtopo_out, {e.number, {e.first, e.second, e.third}, ang, itype});
}

}  // namespace topo
