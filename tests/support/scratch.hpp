// A scratch folder for one test, and a way to run a built program in it as
// an engineer would: no arguments, the working directory holding its files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace suite_test {

class scratch_dir {
public:
    scratch_dir();
    scratch_dir(const scratch_dir&) = delete;
    scratch_dir& operator=(const scratch_dir&) = delete;
    ~scratch_dir();

    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, std::string_view content) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // File names in the folder, sorted.
    std::vector<std::string> files() const;

private:
    std::filesystem::path path_;
};

struct program_result {
    int status = -1;
    std::string diagnostics;  // what the program wrote on standard error
    std::string output;       // what it wrote on standard output
};

// Runs `program` in `dir` with `arguments`. Standard input is `input` when
// given, else it is at its end from the start.
program_result run_in(const scratch_dir& dir, const std::string& program, const std::string* input = nullptr,
                      const std::vector<std::string>& arguments = {});

// A whole run in a fresh scratch folder: writes `input` as `input_name`,
// runs the program (standard input at its end) and keeps the status, the
// diagnostics and the records of each named output ({} when it is absent).
struct case_result {
    int status = -1;
    std::string diagnostics;
    std::vector<std::vector<std::string>> outputs;  // records, in the order asked for
    std::vector<bool> present;                      // whether each output exists
};
case_result run_case(const std::string& program, const std::string& input_name, std::string_view input,
                     const std::vector<std::string>& outputs);

// The records of a file's text: lines without their line feeds.
std::vector<std::string> records_of(std::string_view text);

}  // namespace suite_test
