#include "records/whole_records.hpp"

#include <sched.h>
#include <unistd.h>

#include <array>

namespace records {

namespace {

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<std::int64_t>::is_always_lock_free &&
              std::atomic<std::size_t>::is_always_lock_free && std::atomic<const char*>::is_always_lock_free);

// More than any program opens at once.
std::array<output_progress, 16> watched;
std::array<std::atomic<const char*>, 16> temporaries{};

// Writes announced by another thread and under way; whether the files were
// cut back. Each side stores its own, then loads the other's (sequentially
// consistent): one of them sees the other.
std::atomic<int> other_thread_writes{0};
std::atomic<bool> files_cut{false};

}  // namespace

bool begin_other_thread_write() {
    other_thread_writes.fetch_add(1);
    if (!files_cut.load()) return true;
    other_thread_writes.fetch_sub(1);
    return false;
}

void end_other_thread_write() { other_thread_writes.fetch_sub(1); }

output_progress* watch_output(int fd) {
    for (output_progress& p : watched) {
        if (p.fd.load() != -1) continue;
        p.whole = 0;
        p.block = nullptr;
        p.fd = fd;
        return &p;
    }
    return nullptr;
}

void unwatch_output(output_progress* progress) {
    if (progress != nullptr) progress->fd = -1;
}

std::atomic<const char*>* watch_temporary(const char* name) {
    for (std::atomic<const char*>& slot : temporaries) {
        const char* free = nullptr;
        if (slot.compare_exchange_strong(free, name)) return &slot;
    }
    return nullptr;
}

void unwatch_temporary(std::atomic<const char*>* slot) {
    if (slot != nullptr) slot->store(nullptr);
}

std::size_t whole_prefix(const char* block, std::size_t written) {
    while (written > 0 && block[written - 1] != '\n') --written;
    return written;
}

void cut_outputs_to_whole_records() {
    files_cut.store(true);
    // A write to a regular file ends on its own; the other thread has a
    // processor of its own, or gets one when this one yields.
    while (other_thread_writes.load() != 0) ::sched_yield();
    for (output_progress& p : watched) {
        int fd = p.fd.load();
        if (fd == -1) continue;
        std::int64_t whole = p.whole.load();
        const char* block = p.block.load();
        // Where the file ends tells how much of the block reached it.
        off_t end = ::lseek(fd, 0, SEEK_CUR);
        if (end < 0) continue;
        std::int64_t keep = whole;
        if (block != nullptr && end > whole) {
            auto written = static_cast<std::size_t>(end - whole);
            if (written > p.block_size.load()) written = p.block_size.load();
            keep += static_cast<std::int64_t>(whole_prefix(block, written));
        }
        if (keep < end) (void)::ftruncate(fd, static_cast<off_t>(keep));
    }
    for (std::atomic<const char*>& slot : temporaries)
        if (const char* name = slot.load()) (void)::unlink(name);
}

}  // namespace records
