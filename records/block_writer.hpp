// Hands blocks of whole records to a regular file on a thread of its own, so
// that a program formats its next block while the system takes in this one.
// One block at a time: the block handed over stays untouched until finish()
// has returned. The thread blocks every signal, so an interrupt is always
// handled on the program's own thread, which then waits for a write in
// progress before it cuts the file (records/whole_records.hpp).
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

#include "records/whole_records.hpp"

namespace records {

class block_writer {
public:
    // Starts the thread; std::system_error when it cannot be started.
    block_writer(int fd, output_progress& progress);
    block_writer(const block_writer&) = delete;
    block_writer& operator=(const block_writer&) = delete;
    // Waits for the block in hand, then ends the thread.
    ~block_writer();

    void begin(const char* block, std::size_t size);
    // Waits for the block handed over last and says how much of it reached
    // the file.
    block_outcome finish();
    bool busy() const { return busy_; }

private:
    void work();

    int fd_;
    output_progress& progress_;
    std::mutex mutex_;
    std::condition_variable changed_;
    const char* block_ = nullptr;
    std::size_t size_ = 0;
    bool pending_ = false;  // a block is handed over and not yet written
    bool quit_ = false;
    block_outcome outcome_;
    bool busy_ = false;  // seen from the program's thread: begun, not finished
    std::thread thread_;
};

}  // namespace records
