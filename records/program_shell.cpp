// The program's shell: its arguments, "--help" and "--version", and the
// exit status a run ends with.
#include <cstdio>
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

int run_program(std::string_view program, int argc, char** argv, std::string_view help,
                const std::function<void(run&)>& body) {
    guard_standard_streams();
    handle_interrupts();
    if (argc <= 1) return run_program(program, body);
    std::string_view argument = argv[1];
    if (argc == 2 && argument == "--help") {
        // Every program takes the same two options, so their lines are said here once.
        static constexpr std::string_view options =
            "\nOptions:\n"
            "  --help     prints this help and exits, touching no file\n"
            "  --version  prints the version and exits\n";
        std::fwrite(help.data(), 1, help.size(), stdout);
        std::fwrite(options.data(), 1, options.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (argc == 2 && argument == "--version") {
        std::printf("%.*s %.*s\n", static_cast<int>(program.size()), program.data(),
                    static_cast<int>(suite_version().size()), suite_version().data());
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    bool first_is_known = argument == "--help" || argument == "--version";
    std::string shown = quoted(first_is_known ? argv[2] : argv[1]);
    std::fprintf(stderr, "%.*s: unexpected argument %s; usage: %.*s [--help | --version]\n",
                 static_cast<int>(program.size()), program.data(), shown.c_str(), static_cast<int>(program.size()),
                 program.data());
    return 2;
}

}  // namespace records
