// The program's shell: its arguments, "--help" and "--version", and the
// exit status a run ends with.
#include <malloc.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "records/interrupts.hpp"
#include "records/run.hpp"
#include "records/standard_streams.hpp"

namespace records {

namespace {

// Memory the run frees (a table's read buffer, the values of a block of
// lines) stays with the process for its next use rather than going back
// to the system to be asked for again: each page the system hands out anew
// costs a fault, and on a virtual machine a run over a large model would
// take thousands of them, microseconds each. Pieces of 2 MB and more (the
// steps of a list that grows to millions of entries) are still the
// system's, asked for and given back each on its own, so that the steps a
// list has outgrown are not kept. The large tables take their memory for
// themselves (mesh/large_tables.hpp).
void keep_freed_memory() {
    (void)mallopt(M_MMAP_THRESHOLD, 2 << 20);
    (void)mallopt(M_TRIM_THRESHOLD, 1 << 30);
}

}  // namespace

int run_program(std::string_view program, const std::function<void(run&)>& body) {
    keep_freed_memory();
    run r{std::string(program)};
    return r.execute(body);
}

std::string_view suite_version() { return SUITE_VERSION; }

namespace {

// Ends what went to standard output: 0, or 1 with a line saying what could
// not be written (a full disk, a pipe whose reader has gone).
int written_to_standard_output(std::string_view program, const char* what) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    int error = errno;
    std::fprintf(stderr, "%.*s: cannot write the %s to standard output: %s\n", static_cast<int>(program.size()),
                 program.data(), what, std::strerror(error));
    return 1;
}

// A file the program is to read, rather than an option or nothing.
bool is_file_argument(std::string_view argument) { return !argument.empty() && argument.front() != '-'; }

// "--help" or "--version" alone: prints the help (its usage errors, the
// lines after "  2  ", being `usage_errors`) or the version and returns the
// exit status; -1 for any other arguments.
int help_or_version(std::string_view program, int argc, char** argv, std::string_view help, std::string_view stopped,
                    std::string_view usage_errors) {
    std::string_view argument = argv[1];
    if (argc == 2 && argument == "--help") {
        // Every program has the same exit statuses, but for why a run stops
        // and what a usage error is, and takes the same two options, so
        // their lines are said here once.
        static constexpr std::string_view statuses = "Exit status:\n  0  the run completed\n  1  ";
        static constexpr std::string_view usage_error = "  2  ";
        static constexpr std::string_view options =
            "\nOptions:\n"
            "  --help     prints this help and exits, touching no file\n"
            "  --version  prints the version and exits\n";
        for (std::string_view part : {help, statuses, stopped, usage_error, usage_errors, options})
            std::fwrite(part.data(), 1, part.size(), stdout);
        return written_to_standard_output(program, "help");
    }
    if (argc == 2 && argument == "--version") {
        std::printf("%.*s %.*s\n", static_cast<int>(program.size()), program.data(),
                    static_cast<int>(suite_version().size()), suite_version().data());
        return written_to_standard_output(program, "version");
    }
    return -1;
}

// A usage error: its line on standard error, exit status 2.
int usage_error(std::string_view program, std::string_view what, std::string_view usage) {
    std::fprintf(stderr, "%.*s: %.*s; usage: %.*s %.*s\n", static_cast<int>(program.size()), program.data(),
                 static_cast<int>(what.size()), what.data(), static_cast<int>(program.size()), program.data(),
                 static_cast<int>(usage.size()), usage.data());
    return 2;
}

// "--help" and "--version" alone, and the usage errors; `file` is empty for
// a program that takes no file. Returns the exit status.
int shell_options(std::string_view program, int argc, char** argv, std::string_view help, std::string_view stopped,
                  std::string_view file) {
    static constexpr std::string_view no_argument = "a usage error: an argument other than --help or --version\n";
    static constexpr std::string_view file_argument =
        "a usage error: an option other than --help or --version, an empty\n"
        "     argument or more than one argument\n";
    int status = help_or_version(program, argc, argv, help, stopped, file.empty() ? no_argument : file_argument);
    if (status >= 0) return status;
    // The argument named: the first, unless it is one the program takes.
    std::string_view argument = argv[1];
    bool first_is_known = argument == "--help" || argument == "--version" || (!file.empty() && is_file_argument(argument));
    std::string shown = quoted(first_is_known ? argv[2] : argv[1]);
    std::string usage = file.empty() ? "[--help | --version]" : "[" + std::string(file) + " | --help | --version]";
    return usage_error(program, "unexpected argument " + shown, usage);
}

}  // namespace

int run_program(std::string_view program, int argc, char** argv, std::string_view help,
                const std::function<void(run&)>& body, std::string_view stopped) {
    guard_standard_streams();
    handle_interrupts();
    if (argc <= 1) return run_program(program, body);
    return shell_options(program, argc, argv, help, stopped, {});
}

int run_program_on_file(std::string_view program, int argc, char** argv, std::string_view help,
                        const std::function<void(run&, const std::string&)>& body, std::string_view file,
                        const std::string& fallback, std::string_view stopped) {
    guard_standard_streams();
    handle_interrupts();
    if (argc <= 1) return run_program(program, [&](run& r) { body(r, fallback); });
    if (argc == 2 && is_file_argument(argv[1])) {
        std::string named = argv[1];
        return run_program(program, [&](run& r) { body(r, named); });
    }
    return shell_options(program, argc, argv, help, stopped, file);
}

int run_program_with_arguments(std::string_view program, int argc, char** argv, std::string_view help,
                               std::string_view usage, int least, int most,
                               const std::function<std::string(std::span<char* const>)>& check,
                               const std::function<void(run&)>& body, std::string_view usage_errors,
                               std::string_view stopped) {
    guard_standard_streams();
    handle_interrupts();
    if (argc > 1) {
        int status = help_or_version(program, argc, argv, help, stopped, usage_errors);
        if (status >= 0) return status;
    }
    std::string shown_usage = std::string(usage) + " | --help | --version";
    std::span<char* const> arguments(argv + 1, static_cast<std::size_t>(argc > 1 ? argc - 1 : 0));
    for (const char* argument : arguments)
        if (std::string_view(argument).starts_with("--"))
            return usage_error(program, "unexpected argument " + quoted(argument), shown_usage);
    auto count = static_cast<int>(arguments.size());
    if (count < least || count > most) {
        std::string wanted = std::to_string(least);
        if (most > least) wanted += (most == least + 1 ? " or " : " to ") + std::to_string(most);
        return usage_error(program, "takes " + wanted + " arguments, not " + std::to_string(count), shown_usage);
    }
    if (std::string fault = check(arguments); !fault.empty()) return usage_error(program, fault, shown_usage);
    return run_program(program, body);
}

}  // namespace records
