// The output file: records gathered into blocks and handed to the file,
// cut back to whole records when a write fails.
#include "records/files.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "records/side_by_side.hpp"

namespace records {

namespace {

// The line feeds among `n` characters, counted 255 at a time in a byte,
// which the compiler turns into a few vector instructions per 16 characters
// (std::count, with its wide counter, goes a character at a time): a large
// picture passes here whole.
std::size_t count_line_feeds(const char* text, std::size_t n) {
    std::size_t total = 0;
    while (n > 0) {
        std::size_t take = std::min<std::size_t>(n, 255);
        std::uint8_t count = 0;
        for (std::size_t i = 0; i < take; ++i) count = static_cast<std::uint8_t>(count + (text[i] == '\n' ? 1 : 0));
        total += count;
        text += take;
        n -= take;
    }
    return total;
}

}  // namespace

output_file::~output_file() {
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

bool output_file::create(const std::string& name) {
    error_ = 0;
    fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
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
    buffer_ = std::make_unique_for_overwrite<char[]>(max_block);
    allocated_ = max_block;
    capacity_ = first_block;
    if (identity_.regular) progress_ = watch_output(fd_);
    return true;
}

bool output_file::flush() {
    if (error_ != 0) return false;
    if (used_ == 0) return true;
    bool put = put_out(buffer_.get(), used_, records_buffered_);
    used_ = 0;
    records_buffered_ = 0;
    return put;
}

bool output_file::put_out(const char* data, std::size_t size, long records) {
    // A watched file written on the helper: an interrupt's cut waits for it.
    const bool announced = progress_ != nullptr && on_helper_thread();
    if (announced && !begin_other_thread_write()) {
        error_ = EINTR;
        return false;
    }
    if (progress_ != nullptr) {
        progress_->block_size = size;
        progress_->block = data;
    }
    std::size_t done = 0;
    while (done < size) {
        ssize_t put = ::write(fd_, data + done, size - done);
        if (put > 0) {
            done += static_cast<std::size_t>(put);
        } else if (put < 0 && errno == EINTR) {
            continue;
        } else {
            error_ = put < 0 && errno != 0 ? errno : EIO;
            break;
        }
    }
    if (error_ == 0) {
        length_ += static_cast<std::int64_t>(size);
        records_in_file_ += records;
    } else {
        // A record torn by the failure is cut off: the file ends with a whole record.
        std::size_t kept = whole_prefix(data, done);
        records_in_file_ += static_cast<long>(count_line_feeds(data, kept));
        length_ += static_cast<std::int64_t>(kept);
        if (identity_.regular) (void)::ftruncate(fd_, static_cast<off_t>(length_));
    }
    if (progress_ != nullptr) {
        progress_->whole = length_;
        progress_->block = nullptr;
    }
    if (announced) end_other_thread_write();
    return error_ == 0;
}

char* output_file::make_room(std::size_t length) {
    if (error_ != 0) return nullptr;
    std::size_t needed = length + 1;
    if (used_ + needed > capacity_) {
        // The block is full (or the record longer than a block): hand it to
        // the file, then use more of the buffer, or a larger one for a
        // record that needs it, while it is empty.
        if (!hand_on_block()) return nullptr;
        if (needed > allocated_) {
            buffer_ = std::make_unique_for_overwrite<char[]>(needed);
            allocated_ = needed;
        }
        capacity_ = std::max(capacity_, needed);
    }
    return buffer_.get() + used_;
}

bool output_file::hand_on_block() {
    if (!flush()) return false;
    if (capacity_ < max_block && ++fills_ == fills_per_size) {
        fills_ = 0;
        capacity_ = std::min(2 * capacity_, max_block);
    }
    return true;
}

bool output_file::write_lines(std::string_view text) {
    while (!text.empty()) {
        if (error_ != 0) return false;
        if (text.size() >= capacity_) {
            // A block or more: its whole lines go to the file as they stand,
            // without a copy into the block.
            if (!flush()) return false;
            const void* last = ::memrchr(text.data(), '\n', text.size());
            if (last != nullptr) {
                std::size_t whole = static_cast<std::size_t>(static_cast<const char*>(last) - text.data()) + 1;
                if (!put_out(text.data(), whole, static_cast<long>(count_line_feeds(text.data(), whole)))) return false;
                text.remove_prefix(whole);
                continue;
            }
        }
        std::size_t room = capacity_ - used_;
        std::size_t take = text.size();
        if (take > room) {
            // The lines that fit, up to the last line end within the room.
            const void* last = room == 0 ? nullptr : ::memrchr(text.data(), '\n', room);
            if (last == nullptr) {
                // A line longer than the room: the way of a single record,
                // which makes room for it.
                std::size_t end = text.find('\n');
                if (!write_record(text.substr(0, end))) return false;
                text.remove_prefix(end + 1);
                continue;
            }
            take = static_cast<std::size_t>(static_cast<const char*>(last) - text.data()) + 1;
        }
        std::memcpy(buffer_.get() + used_, text.data(), take);
        used_ += take;
        records_buffered_ += static_cast<long>(count_line_feeds(text.data(), take));
        text.remove_prefix(take);
        if (!text.empty() && !hand_on_block()) return false;
    }
    return true;
}

bool output_file::write_bytes(std::string_view bytes) {
    if (bytes.size() >= capacity_) {
        if (!flush()) return false;
        return put_out(bytes.data(), bytes.size(), 0);
    }
    while (!bytes.empty()) {
        if (error_ != 0) return false;
        std::size_t take = std::min(bytes.size(), capacity_ - used_);
        std::memcpy(buffer_.get() + used_, bytes.data(), take);
        used_ += take;
        bytes.remove_prefix(take);
        if (used_ == capacity_ && !hand_on_block()) return false;
    }
    return true;
}

bool output_file::close() {
    if (fd_ == -1) return error_ == 0;
    flush();
    unwatch_output(progress_);
    progress_ = nullptr;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
    fd_ = -1;
    return error_ == 0;
}

}  // namespace records
