#include "fuzz/harness.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace fuzz {

void run_program_on(const std::string& program, const std::string& input_name,
                    std::initializer_list<const char*> outputs, const std::uint8_t* data, std::size_t size,
                    const std::function<void(records::run&)>& body) {
    run_program_on(program, {input_name.c_str()}, outputs, data, size, body);
}

void run_program_on(const std::string& program, std::initializer_list<const char*> input_names,
                    std::initializer_list<const char*> outputs, const std::uint8_t* data, std::size_t size,
                    const std::function<void(records::run&)>& body) {
    static bool prepared = false;
    static std::FILE* sink = nullptr;
    static std::FILE* no_input = nullptr;
    if (!prepared) {
        namespace fs = std::filesystem;
        // One folder per target, used again by its next run (libFuzzer ends
        // without running exit handlers, so a folder per process would pile up).
        fs::path dir = fs::temp_directory_path() / ("fuzz-scratch-" + program);
        fs::create_directories(dir);
        fs::current_path(dir);
        for (const char* name : outputs) {
            std::error_code ec;
            fs::remove(name, ec);
            fs::create_symlink("/dev/null", name);
        }
        sink = std::fopen("/dev/null", "w");
        no_input = std::fopen("/dev/null", "r");
        prepared = true;
    }
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (const char* name : input_names) {
        std::size_t cut = rest.find('\x1e');
        std::string_view part = rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
        std::ofstream in(name, std::ios::binary | std::ios::trunc);
        in.write(part.data(), static_cast<std::streamsize>(part.size()));
    }
    records::run r(program, sink, no_input);
    // Bad input ends a run with status 1; a fault of the program's own
    // workings on any input is a finding.
    if (r.execute(body) == records::run::internal_fault_status) {
        std::fprintf(stderr, "fuzz: %s ended on an internal fault\n", program.c_str());
        std::abort();
    }
}

}  // namespace fuzz
