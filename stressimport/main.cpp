#include "layouts/element_stresses.hpp"
#include "stressimport/solver_stresses.hpp"

namespace {

const char help[] = R"(Usage: stressimport [RESULTS | --help | --version]
Brings CalculiX's element stresses back as wstresses.out.

Runs in the folder where meshexport and ccx ran. RESULTS names the file ccx
printed the stresses to: job.dat after "ccx job" on the job meshexport
writes (stressimport job.dat); without it, mesh.dat is read. Each element's
stresses are the mean over its two integration points; when the file holds
several blocks of stresses, the last one counts. Memory: the stresses of the
last block, about 40 bytes per element, and a 4 MB table of numbers.

Reads:
  RESULTS        (mesh.dat when not named) what ccx printed for *EL PRINT,
                 ELSET=EALL with S: per element and integration point
                 (I10,I4,6E14.6) sxx, syy, szz, sxy, sxz, syz; a stress
                 line that ends before column 98, or a last line without
                 its line feed, is taken for a file cut off and refused
  wtopo.out      element records (4I6,F8.2,I3): which elements, and their
                 order
Writes:
  wstresses.out  one record (3E11.4) per element of wtopo.out, in its order:
                 stress along h (sxx), along v (syy) and the h-v shear (sxy)

)";

// Why a run ends with exit status 1, for the help text.
const char stopped[] = R"(the run stopped on a fault: a missing RESULTS, an element of
     wtopo.out missing from RESULTS, an element of RESULTS not in
     wtopo.out, integration points other than 1 and 2 in order, a file
     cut off, a field that is not a number or a failed write; one line on
     standard error says what and where, and wstresses.out is left as it
     was
)";

}  // namespace

int main(int argc, char** argv) {
    return records::run_program_on_file("stressimport", argc, argv, help, stressimport::import_stresses, "RESULTS",
                                        stressimport::default_results, stopped);
}
