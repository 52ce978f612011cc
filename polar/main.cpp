#include "polar/polar_files.hpp"

namespace {

const char help[] = R"(Usage: polar [--help | --version]
Computes the elastic properties of a fibre composite.

Runs without arguments in the folder that holds polar.dat, and computes for
three fibre volume fractions the engineering constants, the stiffness and
compliance matrices and seven off-axis properties for every degree.

All arithmetic is single precision in a fixed order. A stiffness matrix with
a row of zeros (or of not-a-numbers) pauses with "singular matrix": Enter, or
no input at all, goes on and the run completes with non-finite values; "stop"
ends it with exit status 1. polar.dat is opened before the outputs, so a
missing polar.dat leaves every existing output file as it was. After a fault
the records written before stay in their files.

Reads:
  polar.dat  ten material records: a 50-character title; the matrix heading
             and the unit text of the moduli (columns 26-45); EM and NUM of
             the isotropic matrix (E12.5 in columns 31-42); the fibre heading;
             EFL, EFT, GFLT, GFTT, KFTT of the transversely isotropic fibre
             (E12.5 in columns 41-52); then one record with three fibre volume
             fractions in columns 24-38 (3F5.2)
Writes:
  polar.out  1271 records: for each volume fraction the engineering constants
             EL, ET, GLT, GTT, NULT, NUTT, the upper triangles of the stiffness
             C and the compliance S (fibre direction at index 3), and the angle
             table for THETA = 0 to 360 degrees: E3, T3 (equal to G23), G23,
             G13, K3, NU32, NU13
  vf.DAT     the three volume fractions, one record (3F5.2)
  e3.DAT     361 records (1X,E11.4,3(1X,E11.4)): the angle in radians, then
             E3 for each volume fraction
  g23.DAT    the same for G23
  nu32.DAT   361 records: the angle, the positive parts of NU32 for the three
             fractions, then the negative parts (0.0 where NU32 has the other
             sign)

The first records of vf.DAT and e3.DAT for the shipped example:

     0.40 0.50 0.60
      0.0000E+00  0.9412E+02  0.1168E+03  0.1394E+03

)";

// Why a run ends with exit status 1, for the help text.
const char stopped[] = R"(the run stopped on a fault: a missing input, a malformed field, a missing
     record, a failed write, or a material that is none (a volume fraction
     outside 0 to 1, a modulus not above 0, NUM not above -1 and below 0.5,
     or fibre constants whose longitudinal Poisson ratio squared is below 0,
     all refused before any output record); one line on standard error says
     what and where
     (also after "stop" at the pause)
)";

}  // namespace

int main(int argc, char** argv) { return records::run_program("polar", argc, argv, help, polar::write_polar_files, stopped); }
