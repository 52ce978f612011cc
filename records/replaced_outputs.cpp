#include "records/replaced_outputs.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "records/interrupts.hpp"
#include "records/whole_records.hpp"

namespace records {

int replacement_refused(const std::string& target) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    // A link of that name is replaced itself; what it names is never written.
    if (S_ISLNK(st.st_mode)) return 0;
    // The check every other output meets when it is opened for writing.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return errno;
    return 0;
}

int replacement::begin(output_file& file, const std::string& target) {
    target_ = target;
    if (int refused = replacement_refused(target)) return refused;
    struct stat existing {};
    bool keep_mode = ::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);

    interrupts_held held;
    std::string base = target;
    base.append(".part.").append(std::to_string(::getpid()));
    for (int n = 0; !file.create(temporary_ = n == 0 ? base : base + "." + std::to_string(n)); ++n) {
        temporary_.clear();
        if (file.error() != EEXIST || n == 1000) return file.error();
    }
    watch_ = watch_temporary(temporary_.c_str());
    if (keep_mode) {
        // The owner first: changing it may clear the set-user-ID bits.
        if (::geteuid() == 0) (void)::fchown(file.descriptor(), existing.st_uid, existing.st_gid);
        (void)::fchmod(file.descriptor(), existing.st_mode & 07777);
    }
    return 0;
}

void replacement::discard() {
    if (temporary_.empty()) return;
    (void)::unlink(temporary_.c_str());
    unwatch_temporary(watch_);
    watch_ = nullptr;
    temporary_.clear();
}

int replacement::put_in_place(std::span<replacement* const> all, std::size_t& failed) {
    int error = 0;
    interrupts_held held;
    for (std::size_t i = 0; i < all.size() && error == 0; ++i) {
        if (!all[i]->active()) continue;
        error = replacement_refused(all[i]->target_);
        failed = i;
    }
    if (error == 0 && held.waiting()) error = EINTR;
    for (std::size_t i = 0; i < all.size() && error == 0; ++i) {
        replacement& r = *all[i];
        if (!r.active()) continue;
        if (std::rename(r.temporary_.c_str(), r.target_.c_str()) != 0) {
            error = errno;
            failed = i;
            break;
        }
        unwatch_temporary(r.watch_);
        r.watch_ = nullptr;
        r.temporary_.clear();
    }
    for (replacement* r : all) r->discard();
    return error;
}

}  // namespace records
