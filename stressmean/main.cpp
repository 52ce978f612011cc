#include "stressmean/stress_file.hpp"

namespace {

const char help[] = R"(stressmean: condenses the element stresses of an outside solver into three stress profiles.

Run it without arguments in the folder that holds its input.
  reads   wstresses.out   exactly 2394 records (3E11.4), one per element of the model: three
                          stress components, of which the second (SIGZ) and third (SIGHZ) are used;
                          records after the 2394th are ignored
  writes  wstressavg.out  127 records:
                          95  " I= i SIGZ= ... Z/H= i/96 SIGHZ= ..."  means of the four elements of
                              the two slices that meet at Z/H
                           6  " I= j Y/B= ... SIGZ= ..."  SIGZ close to Y/B = 1 (0.9961 to 0.9531)
                          26  " I= i Y/B= ... SAZM= ... SAZT= ..."  from Y/B = 0.9961 to 0.0156

Which elements enter which mean is fixed for the one 2394-element model the program serves.
Means are formed in single precision, sums from the left; NaN and Infinity pass through.
Every record is read before anything is written: a short or malformed input stops the run with
one line on standard error, exit status 1, and an empty wstressavg.out.
)";

}  // namespace

int main(int argc, char** argv) {
    return records::run_program("stressmean", argc, argv, help, stressmean::write_stress_profiles);
}
