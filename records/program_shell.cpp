// The program's shell: its arguments, "--help" and "--version", and the
// exit status a run ends with.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include "records/interrupts.hpp"
#include "records/run.hpp"
#include "records/standard_streams.hpp"

namespace records {

int run_program(std::string_view program, const std::function<void(run&)>& body) {
    run r{std::string(program)};
    try {
        try {
            body(r);
            r.stop_run();
        } catch (const run_ended&) {
            throw;
        } catch (const std::exception& e) {
            r.fail(std::string("internal error: ") + e.what());
        }
    } catch (const run_ended& ended) {
        return ended.status;
    }
    return 0;
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

// "--help" and "--version" alone, and the usage errors; `file` is empty for
// a program that takes no file. Returns the exit status.
int shell_options(std::string_view program, int argc, char** argv, std::string_view help, std::string_view stopped,
                  std::string_view file) {
    std::string_view argument = argv[1];
    if (argc == 2 && argument == "--help") {
        // Every program has the same exit statuses, but for why a run stops,
        // and takes the same two options, so their lines are said here once.
        static constexpr std::string_view statuses = "Exit status:\n  0  the run completed\n  1  ";
        static constexpr std::string_view usage_error = "  2  a usage error: an argument other than --help or --version\n";
        static constexpr std::string_view file_usage_error =
            "  2  a usage error: an option other than --help or --version, an empty\n"
            "     argument or more than one argument\n";
        static constexpr std::string_view options =
            "\nOptions:\n"
            "  --help     prints this help and exits, touching no file\n"
            "  --version  prints the version and exits\n";
        for (std::string_view part : {help, statuses, stopped, file.empty() ? usage_error : file_usage_error, options})
            std::fwrite(part.data(), 1, part.size(), stdout);
        return written_to_standard_output(program, "help");
    }
    if (argc == 2 && argument == "--version") {
        std::printf("%.*s %.*s\n", static_cast<int>(program.size()), program.data(),
                    static_cast<int>(suite_version().size()), suite_version().data());
        return written_to_standard_output(program, "version");
    }
    // The argument named: the first, unless it is one the program takes.
    bool first_is_known = argument == "--help" || argument == "--version" || (!file.empty() && is_file_argument(argument));
    std::string shown = quoted(first_is_known ? argv[2] : argv[1]);
    std::string usage = file.empty() ? "[--help | --version]" : "[" + std::string(file) + " | --help | --version]";
    std::fprintf(stderr, "%.*s: unexpected argument %s; usage: %.*s %s\n", static_cast<int>(program.size()),
                 program.data(), shown.c_str(), static_cast<int>(program.size()), program.data(), usage.c_str());
    return 2;
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

}  // namespace records
