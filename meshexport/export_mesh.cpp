#include "meshexport/mesh_writers.hpp"
#include "meshexport/units.hpp"

namespace meshexport {

void export_mesh(records::run& r) {
    mesh m = mesh_model::read_mesh(r);
    const int output_units[] = {units::mesh_vtu, units::mesh_msh, units::mesh_inp};
    for (int k = 0; k < 3; ++k) r.open_or_stop(output_units[k], mesh_files[k], records::file_status::replaced);
    write_vtu(r, units::mesh_vtu, m);
    write_msh(r, units::mesh_msh, m);
    write_inp(r, units::mesh_inp, m);
}

}  // namespace meshexport
