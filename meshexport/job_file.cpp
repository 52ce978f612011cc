#include "meshexport/job_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "records/interrupts.hpp"

namespace meshexport {

const std::string_view job_text =
    "** The job: what CalculiX computes on the model of mesh.inp. Run it with\n"
    "** \"ccx job\"; the stresses go to job.dat, which \"stressimport job.dat\"\n"
    "** brings back as wstresses.out. meshexport writes this file only when there\n"
    "** is none and never touches it again: edit every card freely. mesh.inp\n"
    "** holds the model alone and is written anew by every meshexport.\n"
    "** As written, the job is a patch test: the model pulled upwards, which\n"
    "** gives every element the same stress along v and none else.\n"
    "**\n"
    "** The model: nodes (node set NALL), triangles (element set EALL), element\n"
    "** sets TYPE<k> by type code, node sets H0V12, H0 and V12 of the flags, and\n"
    "** BOTTOM, the nodes at the model's smallest v.\n"
    "*INCLUDE, INPUT=mesh.inp\n"
    "** The material: isotropic, Young's modulus 210000., Poisson's ratio 0.3.\n"
    "*MATERIAL, NAME=ISO\n"
    "*ELASTIC\n"
    "210000., 0.3\n"
    "** The section: unit thickness over every element.\n"
    "*SOLID SECTION, ELSET=EALL, MATERIAL=ISO\n"
    "1.\n"
    "** One static step.\n"
    "*STEP\n"
    "*STATIC\n"
    "** Supports and load: the nodes of H0 held along h (dof 1), those of BOTTOM\n"
    "** held along v (dof 2), and those of V12 moved 0.01 along v.\n"
    "*BOUNDARY\n"
    "H0, 1, 1\n"
    "BOTTOM, 2, 2\n"
    "V12, 2, 2, 0.01\n"
    "** Output: the stresses of every element, printed to job.dat.\n"
    "*EL PRINT, ELSET=EALL\n"
    "S\n"
    "*END STEP\n";

namespace {

// Writes the whole text on the descriptor and closes it; 0 or the reason.
int write_and_close(int fd, std::string_view text) {
    int error = 0;
    while (!text.empty() && error == 0) {
        ssize_t n = ::write(fd, text.data(), text.size());
        if (n > 0) {
            text.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno != EINTR) {
            error = errno;
        }
    }
    if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
    return error;
}

constexpr int create_flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

// The job under its name, through a new temporary linked to it; 0 when the
// job is in place or the name was taken meanwhile, or the reason.
int link_job(std::string_view text) {
    std::string temporary;
    int fd = -1;
    const std::string base = std::string(job_file) + ".part." + std::to_string(::getpid());
    for (int k = 0; k < 100 && fd < 0; ++k) {
        temporary = k == 0 ? base : base + "." + std::to_string(k);
        fd = ::open(temporary.c_str(), create_flags, 0666);
        if (fd < 0 && errno != EEXIST) return errno;
    }
    if (fd < 0) return EEXIST;
    int error = write_and_close(fd, text);
    if (error == 0 && ::link(temporary.c_str(), job_file) != 0 && errno != EEXIST) error = errno;
    ::unlink(temporary.c_str());
    return error;
}

// For a file system without links: the job created under its name and
// removed again when it could not be written whole.
int create_job(std::string_view text) {
    int fd = ::open(job_file, create_flags, 0666);
    if (fd < 0) return errno == EEXIST ? 0 : errno;
    int error = write_and_close(fd, text);
    if (error != 0) ::unlink(job_file);
    return error;
}

}  // namespace

int write_job_once(std::string_view program) {
    struct stat status;
    if (::lstat(job_file, &status) == 0) return 0;
    // Held while the temporary exists, so that none is left behind.
    records::interrupts_held held;
    int error = link_job(job_text);
    if (error == EPERM || error == ENOTSUP || error == ENOSYS) error = create_job(job_text);
    if (error == 0) return 0;
    std::fprintf(stderr, "%.*s: cannot write %s: %s\n", static_cast<int>(program.size()), program.data(), job_file,
                 std::strerror(error));
    return 1;
}

}  // namespace meshexport
