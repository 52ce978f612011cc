// A program's shell: its arguments, "--help" and "--version", and the exit
// status its run ends with.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace records {

class run;

// Runs a program's main routine and returns its exit status.
int run_program(std::string_view program, const std::function<void(run&)>& body);

// Why most runs that end with exit status 1 end so, as the help says it:
// the lines that follow "  1  ", each ended by its line feed.
inline constexpr std::string_view stopped_on_a_fault =
    "the run stopped on a fault: a missing input, a malformed field, a missing\n"
    "     record or a failed write; one line on standard error says what and where\n";

// The same for a program started from a shell. Closed standard streams are
// opened on /dev/null and interrupts are handled (records/interrupts.hpp)
// first. Without arguments the main routine runs. "--help" prints `help`,
// then the exit statuses (`stopped` saying why a run ends with 1) and the
// lines of the two options, "--version" the suite's version, on standard
// output, exit status 0, touching no file; any other argument is a usage
// error: one line on standard error naming it quoted(), exit status 2.
int run_program(std::string_view program, int argc, char** argv, std::string_view help,
                const std::function<void(run&)>& body, std::string_view stopped = stopped_on_a_fault);

// A program that takes one optional argument, a file to read: `file` names
// it as the usage shows it (such as "RESULTS"). Without arguments the main
// routine runs with `fallback`, with one that is no option (does not begin
// with '-') and not empty, with that argument; "--help" and "--version" are
// as above. An option other than those two, an empty argument or a second
// argument is a usage error: one line on standard error naming it, exit
// status 2.
int run_program_on_file(std::string_view program, int argc, char** argv, std::string_view help,
                        const std::function<void(run&, const std::string&)>& body, std::string_view file,
                        const std::string& fallback, std::string_view stopped = stopped_on_a_fault);

// A program that takes from `least` to `most` arguments in their places,
// as `usage` shows them (such as "H1 V1 H2 V2 [POINTS]"). "--help" and
// "--version" alone are as above. An argument that begins with "--", or
// another count of arguments, is a usage error; so is one that `check`
// refuses: it looks at the arguments before anything runs and returns what
// is wrong with the first faulty one, naming it, or nothing. A usage error
// is one line on standard error, "program: what; usage: program USAGE",
// exit status 2; `usage_errors` lists them for the help (the lines that
// follow "  2  ", each ended by its line feed). With nothing wrong the main
// routine runs.
int run_program_with_arguments(std::string_view program, int argc, char** argv, std::string_view help,
                               std::string_view usage, int least, int most,
                               const std::function<std::string(std::span<char* const>)>& check,
                               const std::function<void(run&)>& body, std::string_view usage_errors,
                               std::string_view stopped = stopped_on_a_fault);

// The suite's version, as "--version" prints it.
std::string_view suite_version();

}  // namespace records
