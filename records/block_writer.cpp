#include "records/block_writer.hpp"

#include <pthread.h>
#include <signal.h>

namespace records {

block_writer::block_writer(int fd, output_progress& progress) : fd_(fd), progress_(progress) {
    // The thread starts with the signal mask of the one that creates it.
    sigset_t all, before;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &before);
    try {
        thread_ = std::thread([this] { work(); });
    } catch (...) {
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
        throw;
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

block_writer::~block_writer() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void block_writer::begin(const char* block, std::size_t size) {
    {
        std::lock_guard lock(mutex_);
        block_ = block;
        size_ = size;
        pending_ = true;
    }
    busy_ = true;
    changed_.notify_all();
}

block_outcome block_writer::finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_; });
    busy_ = false;
    return outcome_;
}

void block_writer::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return pending_ || quit_; });
        if (pending_) {
            const char* block = block_;
            std::size_t size = size_;
            lock.unlock();
            block_outcome outcome = write_block(fd_, block, size, &progress_.writing);
            lock.lock();
            outcome_ = outcome;
            pending_ = false;
            changed_.notify_all();
        } else if (quit_) {
            return;
        }
    }
}

}  // namespace records
