#include "records/files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace records {

namespace {

file_identity identity_of(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return {};
    return {st.st_dev, st.st_ino, S_ISREG(st.st_mode)};
}

}  // namespace

input_file::~input_file() {
    if (fd_ != -1) ::close(fd_);
}

bool input_file::open(const std::string& name) {
    fd_ = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ == -1) {
        error_ = errno;
        return false;
    }
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        error_ = EISDIR;
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    identity_ = identity_of(fd_);
    return true;
}

bool input_file::fill() {
    if (at_end_) return false;
    begin_ = 0;
    ssize_t got;
    do got = ::read(fd_, buffer_.get(), buffer_size);
    while (got < 0 && errno == EINTR);
    if (got <= 0) {
        at_end_ = true;
        end_ = 0;
        if (got < 0) error_ = errno != 0 ? errno : EIO;
        return false;
    }
    end_ = static_cast<std::size_t>(got);
    return true;
}

bool input_file::at_end() { return too_long_ || (begin_ == end_ && !fill()); }

bool input_file::take(std::string_view& record, std::string_view text) {
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    ++records_read_;
    if (text.size() > max_record_length) {
        too_long_ = true;
        return false;
    }
    if (records_read_ == 1 && text.starts_with("\xef\xbb\xbf")) byte_order_mark_ = true;
    if (text.find('\r') != std::string_view::npos) lone_carriage_return_ = true;
    record = text;
    return true;
}

bool input_file::next_record(std::string_view& record) {
    if (at_end()) return false;
    long_record_.clear();
    for (;;) {
        const char* start = buffer_.get() + begin_;
        std::size_t available = end_ - begin_;
        const void* nl = std::memchr(start, '\n', available);
        std::size_t length = nl != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nl) - start) : available;
        // One character more than the limit may be the carriage return of the line end.
        if (long_record_.size() + length > max_record_length + 1) {
            ++records_read_;
            too_long_ = true;
            return false;
        }
        if (nl != nullptr) {
            begin_ += length + 1;
            if (long_record_.empty()) return take(record, std::string_view(start, length));
            long_record_.append(start, length);
            return take(record, long_record_);
        }
        // The record goes on past the buffer: keep what there is and read on.
        if (long_record_.empty()) long_record_.reserve(max_record_length + 1);
        long_record_.append(start, available);
        begin_ = end_;
        if (!fill()) return error_ == 0 && take(record, long_record_);
    }
}

output_file::~output_file() {
    writer_.reset();
    unwatch_output(progress_);
    if (fd_ != -1) ::close(fd_);
}

bool output_file::open(const std::string& name) {
    fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ == -1) {
        error_ = errno;
        return false;
    }
    identity_ = identity_of(fd_);
    return true;
}

bool output_file::start() {
    if (identity_.regular && ::ftruncate(fd_, 0) != 0) {
        error_ = errno;
        return false;
    }
    buffer_ = std::make_unique_for_overwrite<char[]>(first_block);
    capacity_ = first_block;
    if (identity_.regular) progress_ = watch_output(fd_);
    return true;
}

// Counts what reached the file of a block of `records` records and keeps
// the progress an interrupt reads up to date; after a failure the file is cut
// back to its last whole record.
void output_file::account(const char* block, std::size_t size, long records, block_outcome outcome) {
    if (outcome.error == 0) {
        length_ += static_cast<std::int64_t>(size);
        records_in_file_ += records;
    } else {
        if (error_ == 0) error_ = outcome.error;
        std::size_t kept = whole_prefix(block, outcome.written);
        records_in_file_ += static_cast<long>(std::count(block, block + kept, '\n'));
        length_ += static_cast<std::int64_t>(kept);
        if (identity_.regular) (void)::ftruncate(fd_, static_cast<off_t>(length_));
    }
    if (progress_ != nullptr) {
        // In this order: a handler that still sees the block finds it whole.
        progress_->whole = length_;
        progress_->block = nullptr;
    }
}

// Waits for the block the writer thread has in hand, if any.
bool output_file::finish_handed_over() {
    if (writer_ != nullptr && writer_->busy()) account(other_.get(), handed_size_, handed_records_, writer_->finish());
    return error_ == 0;
}

// Gives the full block to the writer thread and goes on in the other one,
// once blocks have grown to their largest: a smaller file is written on the
// program's own thread, which spares it starting another. False when the
// block is to be written here, and when the block before failed.
bool output_file::hand_over() {
    if (progress_ == nullptr || capacity_ < max_block || !finish_handed_over()) return false;
    if (writer_ == nullptr) {
        try {
            writer_ = std::make_unique<block_writer>(fd_, *progress_);
        } catch (const std::system_error&) {
            return false;
        }
    }
    progress_->block_size = used_;
    progress_->block = buffer_.get();
    writer_->begin(buffer_.get(), used_);
    handed_size_ = used_;
    handed_records_ = records_buffered_;
    std::swap(buffer_, other_);
    std::swap(capacity_, other_capacity_);
    used_ = 0;
    records_buffered_ = 0;
    return true;
}

bool output_file::flush() {
    if (!finish_handed_over()) return false;
    if (used_ == 0) return true;
    if (progress_ != nullptr) {
        progress_->block_size = used_;
        progress_->block = buffer_.get();
    }
    account(buffer_.get(), used_, records_buffered_, write_block(fd_, buffer_.get(), used_, nullptr));
    used_ = 0;
    records_buffered_ = 0;
    return error_ == 0;
}

char* output_file::make_room(std::size_t length) {
    if (error_ != 0) return nullptr;
    std::size_t needed = length + 1;
    if (used_ + needed > capacity_) {
        // The block is full (or the record longer than a block): hand it to
        // the file, then go on in an empty block, larger while below max_block.
        std::size_t full = capacity_;
        if (!hand_over() && !flush()) return nullptr;
        std::size_t larger = std::max(needed, std::min(2 * full, max_block));
        if (larger > capacity_) {
            buffer_ = std::make_unique_for_overwrite<char[]>(larger);
            capacity_ = larger;
        }
    }
    return buffer_.get() + used_;
}

bool output_file::write_record(std::string_view record) {
    char* place = reserve_record(record.size());
    if (place == nullptr) return false;
    std::memcpy(place, record.data(), record.size());
    commit_record(record.size());
    return true;
}

bool output_file::close() {
    if (fd_ == -1) return error_ == 0;
    flush();
    writer_.reset();
    unwatch_output(progress_);
    progress_ = nullptr;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
    fd_ = -1;
    return error_ == 0;
}

}  // namespace records
