// What an output file has written, kept where a signal handler can read it,
// so that whatever ends a run leaves every output cut back to its last whole
// record and no temporary file of an output that appears whole or not at all
// (replaced_outputs.hpp) behind. Every member is a lock-free atomic and every function here that
// says so may be called from a signal handler.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace records {

struct output_progress {
    std::atomic<int> fd{-1};                    // -1: the slot is free
    std::atomic<std::int64_t> whole{0};         // bytes of whole records written before `block`
    std::atomic<std::size_t> block_size{0};     // the block being written, whole records only
    std::atomic<const char*> block{nullptr};    // nullptr: no write in progress
};

// A slot for the regular file open on fd, or nullptr when every slot is taken
// (the file is then not cut when the run is interrupted).
output_progress* watch_output(int fd);
void unwatch_output(output_progress* progress);

// The length of the whole records among the first `written` bytes of a
// block of records: up to and including its last line feed. Signal-safe.
std::size_t whole_prefix(const char* block, std::size_t written);

// A temporary file that an interrupt removes, from when it is created until
// it is renamed or removed; `name` must stay valid that long. Returns nullptr
// when every slot is taken (the file is then left behind by an interrupt).
std::atomic<const char*>* watch_temporary(const char* name);
void unwatch_temporary(std::atomic<const char*>* slot);

// A write to a watched file from a thread other than the one that takes
// the interrupts (side_by_side's helper) is announced: once the files are
// cut back, none begins, and the cut waits for one under way, so that no
// write lands after it. begin_other_thread_write is false, and the write
// is not to be made, when the files were cut back.
bool begin_other_thread_write();
void end_other_thread_write();

// Cuts every watched file back to the end of its last whole record on disk
// and removes every watched temporary, once a write announced by another
// thread is done. Signal-safe.
void cut_outputs_to_whole_records();

}  // namespace records
