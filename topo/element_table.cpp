// The element table "wtopo.out" of a layered plane model from "wtopo.dat":
// first the element groups, given as node triples, then the sections,
// generated row by row and layer by layer.
#include "topo/element_table.hpp"

#include <cstdint>

#include "layouts/mesh_tables.hpp"
#include "topo/element_record.hpp"
#include "topo/groups.hpp"
#include "topo/sections.hpp"
#include "topo/units.hpp"

namespace topo {

void write_element_table(records::run& r) {
    static const records::record_format group_count("(I2)");
    static const records::record_format section_count("(I1)");

    r.open_or_stop(units::wtopo_dat, "wtopo.dat");
    r.open_or_stop(units::wtopo_out, layouts::element_table_file, records::file_status::unknown);

    topo::element_writer out(r);

    std::int32_t ngrps = 0;
    r.read(units::wtopo_dat, group_count, ngrps);
    topo::group_state groups;
    for (std::int32_t igrp = 1; igrp <= ngrps; ++igrp) topo::read_group(r, out, groups);

    std::int32_t nsect = 0;
    r.read(units::wtopo_dat, section_count, nsect);
    if (nsect == 0) r.stop_run();
    topo::section_state sections;
    for (std::int32_t isect = 1; isect <= nsect; ++isect) topo::generate_section(r, out, sections);
    r.stop_run();
}

}  // namespace topo
