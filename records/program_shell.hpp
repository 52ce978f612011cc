// A program's shell: its arguments, "--help" and "--version", and the exit
// status its run ends with.
#pragma once

#include <functional>
#include <string_view>

namespace records {

class run;

// Runs a program's main routine and returns its exit status.
int run_program(std::string_view program, const std::function<void(run&)>& body);

// The same for a program started from a shell. Closed standard streams are
// opened on /dev/null and interrupts are handled (records/interrupts.hpp)
// first. Without arguments the main routine runs. "--help" prints `help`
// followed by the lines of the two options, "--version" the suite's version,
// on standard output, exit status 0, touching no file; any other argument is
// a usage error: one line on standard error naming it quoted(), exit status 2.
int run_program(std::string_view program, int argc, char** argv, std::string_view help,
                const std::function<void(run&)>& body);

// The suite's version, as "--version" prints it.
std::string_view suite_version();

}  // namespace records
