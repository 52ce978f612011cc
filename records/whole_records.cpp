#include "records/whole_records.hpp"

#include <unistd.h>

#include <array>
#include <cerrno>

namespace records {

namespace {

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<std::int64_t>::is_always_lock_free &&
              std::atomic<std::size_t>::is_always_lock_free && std::atomic<const char*>::is_always_lock_free &&
              std::atomic<bool>::is_always_lock_free);

// More than any program opens at once.
std::array<output_progress, 16> watched;

// Set when an interrupt is being handled: no writer thread starts a write.
std::atomic<bool> cutting{false};

}  // namespace

output_progress* watch_output(int fd) {
    for (output_progress& p : watched) {
        if (p.fd.load() != -1) continue;
        p.whole = 0;
        p.block = nullptr;
        p.writing = false;
        p.fd = fd;
        return &p;
    }
    return nullptr;
}

void unwatch_output(output_progress* progress) {
    if (progress != nullptr) progress->fd = -1;
}

std::size_t whole_prefix(const char* block, std::size_t written) {
    while (written > 0 && block[written - 1] != '\n') --written;
    return written;
}

block_outcome write_block(int fd, const char* block, std::size_t size, std::atomic<bool>* writing) {
    block_outcome outcome;
    while (outcome.written < size) {
        if (writing != nullptr) {
            // Announced, then checked: an interrupt handler that sets
            // `cutting` and then finds `writing` clear knows no write of this
            // thread is in progress or will start (both sequentially
            // consistent).
            writing->store(true);
            if (cutting.load()) {
                writing->store(false);
                outcome.error = EINTR;
                return outcome;
            }
        }
        ssize_t put = ::write(fd, block + outcome.written, size - outcome.written);
        int error = errno;
        if (writing != nullptr) writing->store(false);
        if (put > 0) {
            outcome.written += static_cast<std::size_t>(put);
        } else if (put < 0 && error == EINTR) {
            continue;
        } else {
            outcome.error = put < 0 && error != 0 ? error : EIO;
            break;
        }
    }
    return outcome;
}

void cut_outputs_to_whole_records() {
    cutting.store(true);
    for (output_progress& p : watched) {
        int fd = p.fd.load();
        if (fd == -1) continue;
        // A write a writer thread has begun ends in a moment (a regular
        // file's writes do not wait for anyone).
        while (p.writing.load()) {
        }
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
}

}  // namespace records
