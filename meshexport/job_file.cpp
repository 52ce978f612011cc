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

int write_job_once(std::string_view program, std::string_view job_text) {
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
