// "plytab csv FILE...": the tables of the suite as comma-separated values on
// standard output, for spreadsheets and scripts. The umbrella command runs
// this program, which it keeps beside its own files, with the arguments
// that follow "csv".
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "plytab/csv_tables.hpp"
#include "records/diagnostics.hpp"
#include "records/interrupts.hpp"
#include "records/program_shell.hpp"
#include "records/standard_streams.hpp"

namespace {

constexpr std::string_view program = "plytab csv";

const char help[] = R"(Usage: plytab csv FILE... | --help | --version
Writes tables of the suite as comma-separated values on standard output.

Each FILE is read in the layout its name gives it (the name without its
folder), whole, as the suite's readers read it; it is written as a header row
of the layout's field names, then one row per record. An integer is written in
decimal, a real as the shortest text that reads back as the same 32-bit value
(247.1, -1.034e-13, inf, nan). Several files follow one another, each with its
header row, with an empty line between them.

Tables:
  wnodes.out      node,H0V12,H0,V12,h,v
  wtopo.out       element,node1,node2,node3,angle,type
  wstresses.out   SH,SZ,SHZ
  wstressavg.out  profile,I,SIGZ,Z/H,SIGHZ,Y/B,SAZM,SAZT: the profile is Z/H,
                  edge or Y/B, and a record leaves the columns of the other
                  profiles empty
  vf.DAT          VF1,VF2,VF3
  e3.DAT          THETA_RAD,E3_VF1,E3_VF2,E3_VF3
  g23.DAT         THETA_RAD,G23_VF1,G23_VF2,G23_VF3
  nu32.DAT        THETA_RAD,NU32_POS_VF1,NU32_POS_VF2,NU32_POS_VF3,
                  NU32_NEG_VF1,NU32_NEG_VF2,NU32_NEG_VF3
  wstressline.out point,distance,h,v,SH,SZ,SHZ

Exit status:
  0  every table was written
  1  a table is missing, holds a malformed field or is cut off, or output
     fails; one line on standard error says what and where, and the rows
     before it stay written
  2  a usage error: no FILE, an option, or a file of no known table

Options:
  --help     prints this help and exits
  --version  prints the version and exits
)";

int usage_error(const std::string& what) {
    std::fprintf(stderr, "%s: %s; usage: %s FILE... | --help | --version\n", std::string(program).c_str(),
                 what.c_str(), std::string(program).c_str());
    return 2;
}

std::string known_tables() {
    std::string list;
    for (std::string_view name : plytab_csv::table_names()) {
        if (!list.empty()) list += ", ";
        list += name;
    }
    return list;
}

// The help or the version on standard output: 0, or 1 when it did not arrive.
int shown(const char* what) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    int error = errno;
    std::fprintf(stderr, "%s: cannot write the %s to standard output: %s\n", std::string(program).c_str(), what,
                 std::strerror(error));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    records::guard_standard_streams();
    records::handle_interrupts();
    // Rows go out in large blocks; those written before a fault stay.
    static char output_buffer[1 << 16];
    std::setvbuf(stdout, output_buffer, _IOFBF, sizeof output_buffer);
    std::vector<std::string> files(argv + 1, argv + argc);
    if (files.size() == 1 && files[0] == "--help") {
        std::fputs(help, stdout);
        return shown("help");
    }
    if (files.size() == 1 && files[0] == "--version") {
        std::printf("%s %s\n", std::string(program).c_str(), std::string(records::suite_version()).c_str());
        return shown("version");
    }
    if (files.empty()) return usage_error("no table file given");
    // Every argument is checked before any table is read.
    for (const std::string& file : files) {
        if (file.empty() || file.front() == '-')
            return usage_error("unexpected argument " + records::quoted(file));
        if (plytab_csv::table_of(file).empty())
            return usage_error("no table is named " + records::quoted(file) + "; the tables are " + known_tables());
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        int status = records::run_program(program, [&](records::run& r) {
            plytab_csv::csv_output out(r);
            if (i > 0) out.append("\n");
            plytab_csv::write_table(r, files[i], plytab_csv::table_of(files[i]), out);
        });
        if (status != 0) return status;
    }
    return 0;
}
