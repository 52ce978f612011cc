#include "fuzz/harness.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fuzz {

void run_program_on(const std::string& program, const std::string& input_name,
                    std::initializer_list<const char*> outputs, const std::uint8_t* data, std::size_t size,
                    const std::function<void(records::run&)>& body) {
    static bool prepared = false;
    static std::FILE* sink = nullptr;
    static std::FILE* no_input = nullptr;
    if (!prepared) {
        namespace fs = std::filesystem;
        fs::path dir = fs::temp_directory_path() / ("fuzz-" + program + "-" + std::to_string(::getpid()));
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
    {
        std::ofstream in(input_name, std::ios::binary | std::ios::trunc);
        in.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    records::run r(program, sink, no_input);
    try {
        body(r);
        r.stop_run();
    } catch (const records::run_ended&) {
    }
}

}  // namespace fuzz
