#include "meshexport/replace_files.hpp"
#include "stressimport/solver_stresses.hpp"

namespace {

const char help[] = R"(Usage: stressimport [--help | --version]
Brings the element stresses CalculiX computed for mesh.inp into wstresses.out.

Run it without arguments in the folder where meshexport and ccx mesh ran.
  reads   mesh.dat       what ccx printed for *EL PRINT, ELSET=EALL with S:
                         per element and integration point (I10,I4,6E14.6)
                         sxx, syy, szz, sxy, sxz, syz; the last block counts
          wtopo.out      element records (4I6,F8.2,I3): which elements, and
                         their order
  writes  wstresses.out  one record (3E11.4) per element of wtopo.out, in its
                         order: stress along h (sxx), along v (syy) and the
                         h-v shear (sxy), each the mean over the element's
                         two integration points
  --help     print this text
  --version  print the version

An element of wtopo.out missing from mesh.dat, an element of mesh.dat not in
wtopo.out, integration points other than 1 and 2 in order, or a field that
is not a number stops the run with one line on standard error and exit
status 1, and leaves wstresses.out as it was. Memory: the stresses of the
last block, about 40 bytes per element, and a 4 MB table of numbers.
)";

void import(records::run& r) { stressimport::import_stresses(r, meshexport::part_name("wstresses.out").c_str()); }

}  // namespace

int main(int argc, char** argv) {
    int status = records::run_program("stressimport", argc, argv, help, import);
    if (argc > 1) return status;  // --help, --version or a usage error: no file touched
    return meshexport::replace_files("stressimport", status, {"wstresses.out"});
}
