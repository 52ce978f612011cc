#include "meshexport/job_file.hpp"
#include "meshexport/mesh_writers.hpp"

namespace {

const char help[] = R"(Usage: meshexport [--help | --version]
Writes the model for ParaView, Gmsh and CalculiX, and a job.

Runs without arguments in the folder where nodes and topo ran. Node and
element numbers stay the ids in all three files; they must be positive and
each used once. Triangles are listed anticlockwise (topo lists them
clockwise). The tables are held in memory, at most 999999 nodes and 999999
elements: about 70 MB for a million elements. The files are written under
temporary names of the run's own (mesh.vtu.part.PID, ...) and appear only
when all three are complete; a failed or interrupted run replaces none.

Blank lines in the tables it reads are skipped. A record that ends before its
last field, or a last line without its line feed, is taken for a file cut off
and refused. Record N in a message is line N of the file, blank lines counted.

Reads:
  wnodes.out     node records (I6,3I3,2F12.6), to the end of the file
  wtopo.out      element records (4I6,F8.2,I3), to the end of the file
  wstresses.out  when present: one record (3E11.4) per element, in the order
                 of wtopo.out: stress along h, along v, shear. A table with
                 more or fewer records than wtopo.out has elements belongs to
                 another mesh and is refused; move it away (or delete it) to
                 export the model alone.
Writes:
  mesh.vtu       VTK XML unstructured grid: points (h, v, 0), triangles;
                 point data node, H0V12, H0, V12 (the flags); cell data
                 element, angle, type and, with stresses, SH, SZ, SHZ
  mesh.msh       Gmsh 4.1 ASCII mesh, a physical group TYPE<k> for each type
                 code k
  mesh.inp       the model for CalculiX, alone: *NODE (NSET=NALL), *ELEMENT
                 TYPE=CPS3 (ELSET=EALL), element sets TYPE<k>, node sets
                 H0V12, H0 and V12 (those not empty) and BOTTOM (the nodes
                 at the smallest v); written anew by every run
  job.inp        the CalculiX job, which includes mesh.inp and holds the
                 rest: material, section, step, supports, load and the
                 stress output, each card with a comment saying what it is.
                 Written only when no file (or link) of that name exists,
                 after the three mesh files, and never touched again: edit
                 it freely, a later export keeps it. As first written it is
                 a patch test of the example model, pulled upwards: H0 held
                 along h, BOTTOM along v, V12 moved 0.01 along v, an
                 isotropic material (210000., 0.3) of unit thickness;
                 "ccx job" solves it and "stressimport job.dat" brings the
                 stresses back

)";

// Why a run ends with exit status 1, for the help text.
const char stopped[] = R"(the run stopped on a fault: a malformed field, a table cut off, a missing
     node, an element without area, a wstresses.out of another mesh or a
     failed write; one line on standard error says what and where, and no
     mesh file is replaced; or job.inp could not be written
)";

}  // namespace

int main(int argc, char** argv) {
    int status = records::run_program("meshexport", argc, argv, help, meshexport::export_mesh, stopped);
    // The job is written once the model it includes is in place.
    if (status == 0 && argc <= 1) status = meshexport::write_job_once("meshexport");
    return status;
}
