#include "stressmean/stress_file.hpp"

namespace {

const char help[] = R"(Usage: stressmean [--help | --version]
Condenses a solver's element stresses into stress profiles.

Runs without arguments in the folder that holds wstresses.out, and averages
the stresses of the one 2394-element model it serves into three profiles.

It condenses the stresses of that one particular model only: which elements
enter which mean is fixed, by record number. The wstresses.out of another
mesh (one that stressimport brought back for the example model, say) gives
no profile of it, as its elements are not the ones these means are made of.
For any other mesh, "stressline H1 V1 H2 V2" gives the stresses along any
line through it (across the thickness, along a ply interface), and
meshexport's mesh.vtu carries them all for ParaView.

Means are formed in single precision, sums from the left; NaN and Infinity
pass through. Every record is read before anything is written, so after a
fault wstressavg.out is empty.

Reads:
  wstresses.out   exactly 2394 records (3E11.4), one per element: three stress
                  components, of which the second (SIGZ) and the third (SIGHZ)
                  are used; records after the 2394th are ignored
Writes:
  wstressavg.out  127 records: 95 along Z/H = i/96, i = 1 to 95
                  (1X,' I=',I2,' SIGZ=',E10.3,' Z/H=',F6.4,' SIGHZ=',E10.3),
                  each the mean of the four elements of the two slices that
                  meet there; 6 of SIGZ near Y/B = 1, from 0.9961 to 0.9531
                  (1X,' I=',I2,' Y/B=',F6.4,' SIGZ=',E10.3); 26 from Y/B =
                  0.9961 down to 0.0156
                  (1X,' I=',I2,' Y/B=',F6.4,' SAZM=',E10.3,' SAZT=',E10.3)

The first record of each kind for the shipped example:

      I= 1 SIGZ= 0.119E+03 Z/H=0.0104 SIGHZ=-0.432E+00
      I= 1 Y/B=0.9961 SIGZ= 0.190E+02
      I= 1 Y/B=0.9961 SAZM=-0.581E+02 SAZT= 0.120E+03

)";

}  // namespace

int main(int argc, char** argv) {
    return records::run_program("stressmean", argc, argv, help, stressmean::write_stress_profiles);
}
