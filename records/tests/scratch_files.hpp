// Files the record layer's tests read: each a new one in the system's
// temporary folder, named after the test and the process.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace records_tests {

inline std::filesystem::path scratch_file(const std::string& test, const std::string& content) {
    static int count = 0;
    auto file = std::filesystem::temp_directory_path() /
                (test + "-" + std::to_string(::getpid()) + "-" + std::to_string(count++));
    std::ofstream(file, std::ios::binary) << content;
    return file;
}

}  // namespace records_tests
