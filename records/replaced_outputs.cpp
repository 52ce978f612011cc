#include "records/replaced_outputs.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <vector>

#include "records/interrupts.hpp"
#include "records/side_by_side.hpp"
#include "records/whole_records.hpp"

namespace records {

namespace {

// A file about to be replaced, held open while its name passes to the new
// one: the system gives back a file's pages when it is last closed, which
// for a file of a hundred megabytes takes milliseconds, and the files held
// are then closed on two threads at once. Smaller files, and anything but a
// regular file, are not held.
struct held_file {
    int descriptor = -1;
    off_t size = 0;
};
constexpr off_t held_from = off_t{1} << 20;

held_file hold(const std::string& target) {
    held_file held;
    held.descriptor = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (held.descriptor == -1) return held;
    struct stat st {};
    if (::fstat(held.descriptor, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < held_from) {
        ::close(held.descriptor);
        return {};
    }
    held.size = st.st_size;
    return held;
}

// Closes the held files: the largest on the helper thread while this one
// closes the others, when there are two or more.
void let_go(std::vector<held_file>& held) {
    auto close_all = [](std::span<const held_file> files) {
        for (const held_file& f : files) ::close(f.descriptor);
    };
    if (held.size() < 2) return close_all(held);
    std::sort(held.begin(), held.end(), [](const held_file& a, const held_file& b) { return a.size > b.size; });
    side_by_side([&] { close_all(std::span(held).first(1)); }, [&] { close_all(std::span(held).subspan(1)); });
}

}  // namespace

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
    std::vector<held_file> replaced;
    for (std::size_t i = 0; i < all.size() && error == 0; ++i)
        if (all[i]->active())
            if (held_file f = hold(all[i]->target_); f.descriptor != -1) replaced.push_back(f);
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
    let_go(replaced);
    return error;
}

}  // namespace records
