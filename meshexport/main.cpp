#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "meshexport/export_model.hpp"
#include "meshexport/job_file.hpp"
#include "records/diagnostics.hpp"
#include "records/program_shell.hpp"

namespace {

const char help[] = R"(Usage: meshexport [--fraction K] [--help | --version]
Writes the model for ParaView, Gmsh and CalculiX, and a job.

Runs in the folder where nodes and topo ran. Node and element numbers stay
the ids in all three files; they must be positive and each used once.
Triangles are listed anticlockwise (topo lists them clockwise). The tables
are held in memory, at most 999999 nodes and 999999 elements: about 55 MB
for a million elements. The files are written under temporary names of the
run's own (mesh.vtu.part.PID, ...) and appear only when all three are
complete; a failed or interrupted run replaces none.

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
  polar.out      when present and job.inp is still to be written: polar's
                 lamina (EL, ET, GLT, GTT, NULT, NUTT) at its first volume
                 fraction, or the K-th (1 to 3) with --fraction K, for the
                 plies of the job
Writes:
  mesh.vtu       VTK XML unstructured grid, its arrays in binary (raw
                 appended data, little-endian: the tables' values bit for
                 bit): points (h, v, 0), triangles; point data node, H0V12,
                 H0, V12 (the flags); cell data element, angle, type and,
                 with stresses, SH, SZ, SHZ
  mesh.msh       Gmsh 4.1 ASCII mesh, a physical group TYPE<k> for each type
                 code k and ANGLE<a> for each layer angle a
  mesh.inp       the model for CalculiX, alone: *NODE (NSET=NALL), *ELEMENT
                 TYPE=CPE3 (ELSET=EALL; plane strain, the model being the
                 cross-section of a laminate long along z), element sets
                 TYPE<k> and ANGLE<a> (ANGLE30, ANGLEM45 for -45, ANGLE22_5
                 for 22.5), node sets H0V12, H0 and V12 (those not empty)
                 and BOTTOM (the nodes at the smallest v); written anew by
                 every run
  job.inp        the CalculiX job, which includes mesh.inp and holds the
                 rest: material, sections, step, supports, load and the
                 stress output, each card with a comment saying what it is.
                 Written only when no file (or link) of that name exists,
                 after the three mesh files, and never touched again: edit
                 it freely, a later export keeps it (remove it to have a new
                 one written). As first written it pulls the model upwards:
                 H0 held along h, BOTTOM along v, V12 moved 0.01 along v.
                 With polar.out, each angle set is a ply of polar's lamina,
                 its fibre turned by the angle from z toward h about v (0:
                 normal to the model's plane, 90: along h); without, one
                 isotropic material (210000., 0.3), the patch test. "ccx job"
                 solves it and "stressimport job.dat" brings the stresses back,
                 in the model's axes h and v

)";

// Why a run ends with exit status 1, for the help text.
const char stopped[] = R"(the run stopped on a fault: a malformed field, a table cut off, a missing
     node, an element without area, a wstresses.out of another mesh, a
     polar.out that is not polar's report, --fraction without polar.out or
     a failed write; one line on standard error says what and where, and no
     mesh file is replaced; or job.inp could not be written
)";

// Takes "--fraction K" (or "--fraction=K") out of the arguments. Returns
// false after a usage error on standard error.
bool take_fraction(std::vector<char*>& args, meshexport::job_request& request) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string_view arg = args[i];
        std::string value;
        std::size_t taken = 0;
        if (arg == "--fraction") {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "meshexport: --fraction needs a value: 1, 2 or 3\n");
                return false;
            }
            value = args[i + 1];
            taken = 2;
        } else if (arg.starts_with("--fraction=")) {
            value = arg.substr(std::strlen("--fraction="));
            taken = 1;
        } else {
            continue;
        }
        if (request.fraction_named) {
            std::fprintf(stderr, "meshexport: --fraction given twice\n");
            return false;
        }
        if (value != "1" && value != "2" && value != "3") {
            std::fprintf(stderr, "meshexport: --fraction takes 1, 2 or 3, not %s\n", records::quoted(value).c_str());
            return false;
        }
        request.fraction = value[0] - '0';
        request.fraction_named = true;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i + taken));
        --i;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    meshexport::job_request request;
    if (!take_fraction(args, request)) return 2;
    std::string job;
    int status = records::run_program("meshexport", static_cast<int>(args.size()), args.data(), help,
                                      [&](records::run& r) { meshexport::export_model(r, request, job); }, stopped);
    if (status != 0) return status;
    // The job is written once the model it includes is in place.
    if (!job.empty()) return meshexport::write_job_once("meshexport", job);
    if (request.fraction_named)
        std::fprintf(stderr, "meshexport: %s is kept as it is; --fraction changes a new job only (remove %s to have "
                             "one written)\n", meshexport::job_file, meshexport::job_file);
    return 0;
}
