#include "polar/polar_files.hpp"

namespace {

const char help[] = R"(polar: effective elastic constants of a unidirectional fibre composite.

Run it without arguments in the folder that holds its input.
  reads   polar.dat  ten material records: a 50-character title; the matrix heading and the
                     unit text of the moduli; EM and NUM of the isotropic matrix (E12.5 in
                     columns 31-42); the fibre heading; EFL, EFT, GFLT, GFTT, KFTT of the
                     transversely isotropic fibre (E12.5 in columns 41-52); then one record with
                     three fibre volume fractions in columns 24-38 (3F5.2)
  writes  polar.out  1271 records: for each volume fraction the engineering constants EL, ET,
                     GLT, GTT, NULT, NUTT, the upper triangles of the stiffness C and the
                     compliance S (fibre direction at index 3), and the angle table for THETA =
                     0 to 360 degrees: E3, T3 (equal to G23), G23, G13, K3, NU32, NU13
          vf.DAT     the three volume fractions, one record
          e3.DAT     361 records: the angle in radians, then E3 for each volume fraction
          g23.DAT    the same for G23
          nu32.DAT   the angle, the positive parts of NU32 for the three fractions, then the
                     negative parts (0.0 where NU32 has the other sign)

All arithmetic is single precision in a fixed order. A stiffness matrix with a row of zeros (or
not-a-numbers) pauses with "singular matrix": Enter, or no input at all, goes on and the run
completes with non-finite values; "stop" ends it with exit status 1.
Decided here: polar.dat is opened before the outputs, so a missing polar.dat stops the run with
one line on standard error, exit status 1, and leaves every existing output file as it was. Any
input error stops the run the same way; the records written before stay in their files.
)";

}  // namespace

int main(int argc, char** argv) { return records::run_program("polar", argc, argv, help, polar::write_polar_files); }
