#include "meshexport/mesh_tables.hpp"
#include "meshexport/mesh_writers.hpp"
#include "meshexport/replace_files.hpp"
#include "meshexport/units.hpp"

namespace {

const char help[] = R"(Usage: meshexport [--help | --version]
Writes the model for ParaView, Gmsh and CalculiX.

Runs without arguments in the folder where nodes and topo ran. Node and
element numbers stay the ids in all three files; they must be positive and
each used once. Triangles are listed anticlockwise (topo lists them
clockwise). The tables are held in memory, at most 999999 nodes and 999999
elements: about 70 MB for a million elements. The files are written under
temporary names (mesh.vtu.part, ...) and appear only when all three are
complete.

Reads:
  wnodes.out     node records (I6,3I3,2F12.6), to the end of the file
  wtopo.out      element records (4I6,F8.2,I3), to the end of the file
  wstresses.out  when present: one record (3E11.4) per element, in the order
                 of wtopo.out: stress along h, along v, shear
Writes:
  mesh.vtu       VTK XML unstructured grid: points (h, v, 0), triangles;
                 point data node, H0V12, H0, V12 (the flags); cell data
                 element, angle, type and, with stresses, SH, SZ, SHZ
  mesh.msh       Gmsh 4.1 ASCII mesh, a physical group TYPE<k> for each type
                 code k
  mesh.inp       CalculiX deck fragment: *NODE (NSET=NALL), *ELEMENT
                 TYPE=CPS3 (ELSET=EALL), element sets TYPE<k>, node sets
                 H0V12, H0 and V12 (those not empty)

)";

// Why a run ends with exit status 1, for the help text.
const char stopped[] = R"(the run stopped on a fault: a malformed field, a missing node, an element
     without area, a short wstresses.out or a failed write; one line on
     standard error says what and where, and no mesh file is replaced
)";

const char* const outputs[] = {"mesh.vtu", "mesh.msh", "mesh.inp"};

void export_mesh(records::run& r) {
    meshexport::mesh m = meshexport::read_mesh(r);
    const int output_units[] = {meshexport::units::mesh_vtu, meshexport::units::mesh_msh,
                                meshexport::units::mesh_inp};
    for (int k = 0; k < 3; ++k)
        r.open_or_stop(output_units[k], meshexport::part_name(outputs[k]), records::file_status::unknown);
    meshexport::write_vtu(r, meshexport::units::mesh_vtu, m);
    meshexport::write_msh(r, meshexport::units::mesh_msh, m);
    meshexport::write_inp(r, meshexport::units::mesh_inp, m);
}

}  // namespace

int main(int argc, char** argv) {
    int status = records::run_program("meshexport", argc, argv, help, export_mesh, stopped);
    if (argc > 1) return status;  // --help, --version or a usage error: no file touched
    return meshexport::replace_files("meshexport", status, {outputs[0], outputs[1], outputs[2]});
}
