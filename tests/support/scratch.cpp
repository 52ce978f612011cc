#include "tests/support/scratch.hpp"

#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace suite_test {
namespace fs = std::filesystem;

namespace {

std::string shell_quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

scratch_dir::scratch_dir() {
    static std::atomic<int> counter{0};
    std::random_device seed;
    path_ = fs::temp_directory_path() /
            ("suite-test-" + std::to_string(seed()) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

scratch_dir::~scratch_dir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
    fs::remove(path_.string() + ".stderr", ec);
    fs::remove(path_.string() + ".stdin", ec);
    fs::remove(path_.string() + ".stdout", ec);
}

void scratch_dir::write(const std::string& name, std::string_view content) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) throw std::runtime_error("cannot write " + (path_ / name).string());
}

std::string scratch_dir::read(const std::string& name) const { return slurp(path_ / name); }

bool scratch_dir::exists(const std::string& name) const { return fs::exists(path_ / name); }

std::vector<std::string> scratch_dir::files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

program_result run_in(const scratch_dir& dir, const std::string& program, const std::string* input,
                      const std::vector<std::string>& arguments) {
    std::string err = dir.path().string() + ".stderr";
    std::string out = dir.path().string() + ".stdout";
    std::string in = "/dev/null";
    if (input != nullptr) {
        in = dir.path().string() + ".stdin";
        std::ofstream(in, std::ios::binary) << *input;
    }
    std::string command = "cd " + shell_quoted(dir.path().string()) + " && " + shell_quoted(program);
    for (const std::string& argument : arguments) command += " " + shell_quoted(argument);
    command += " <" + shell_quoted(in) + " >" + shell_quoted(out) + " 2>" + shell_quoted(err);
    int raw = std::system(command.c_str());
    program_result result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.diagnostics = slurp(err);
    result.output = slurp(out);
    return result;
}

case_result run_case(const std::string& program, const std::string& input_name, std::string_view input,
                     const std::vector<std::string>& outputs) {
    scratch_dir dir;
    dir.write(input_name, input);
    program_result run = run_in(dir, program);
    case_result result{run.status, run.diagnostics, {}, {}};
    for (const std::string& name : outputs) {
        result.present.push_back(dir.exists(name));
        result.outputs.push_back(records_of(dir.exists(name) ? dir.read(name) : std::string()));
    }
    return result;
}

std::vector<std::string> records_of(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t nl = text.find('\n', start);
        if (nl == std::string_view::npos) nl = text.size();
        lines.emplace_back(text.substr(start, nl - start));
        start = nl + 1;
    }
    return lines;
}

}  // namespace suite_test
