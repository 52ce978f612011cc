// The input file: opened for reading, its lines handed out one by one or
// many whole lines at a time.
#include "records/files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace records {

file_identity identity_of(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return {};
    return {st.st_dev, st.st_ino, S_ISREG(st.st_mode)};
}

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
    buffer_ = std::make_unique_for_overwrite<char[]>(buffer_size);
    capacity_ = buffer_size;
    return true;
}

bool input_file::fill() {
    if (buffer_ == nullptr) return false;
    begin_ = 0;
    if (!at_end_) {
        ssize_t got;
        do got = ::read(fd_, buffer_.get(), capacity_);
        while (got < 0 && errno == EINTR);
        if (got > 0) {
            end_ = static_cast<std::size_t>(got);
            return true;
        }
        at_end_ = true;
        if (got < 0) error_ = errno != 0 ? errno : EIO;
    }
    // Nothing more is read (whoever found the end): the buffer, which a
    // large table grows, goes back before the run's later work.
    end_ = 0;
    buffer_.reset();
    capacity_ = 0;
    return false;
}

bool input_file::fill_after_rest(std::size_t room, std::size_t keep) {
    std::size_t rest = end_ - keep;
    // A rest of a half or more holds no whole line within `room`.
    if (at_end_ || buffer_ == nullptr || rest >= room) return false;
    std::size_t half = 0;  // where the rest goes
    if (2 * room > capacity_) {
        auto larger = std::make_unique_for_overwrite<char[]>(2 * room);
        std::memcpy(larger.get(), buffer_.get() + keep, rest);
        buffer_ = std::move(larger);
        capacity_ = 2 * room;
    } else {
        half = begin_ < room ? room : 0;
        std::memmove(buffer_.get() + half, buffer_.get() + keep, rest);
    }
    dropped_ += keep - begin_;
    begin_ = half;
    end_ = half + rest;
    ssize_t got;
    do got = ::read(fd_, buffer_.get() + end_, room - rest);
    while (got < 0 && errno == EINTR);
    if (got <= 0) {
        // The rest stays for the record-by-record way, which finds the
        // end of the file (or the error) again.
        at_end_ = true;
        if (got < 0) error_ = errno != 0 ? errno : EIO;
        return false;
    }
    end_ += static_cast<std::size_t>(got);
    return true;
}

bool input_file::lines_from(std::size_t skip, std::size_t& from) const {
    if (ahead_ || too_long_ || error_ != 0 || lines_read_ == 0 || buffer_ == nullptr || skip < dropped_) return false;
    from = begin_ + (skip - dropped_);
    return from <= end_;
}

std::string_view input_file::hand_out(std::size_t from) {
    const void* last = ::memrchr(buffer_.get() + from, '\n', end_ - from);
    if (last == nullptr) return {};
    lines_begin_ = from;
    const char* first = buffer_.get() + from;
    return {first, static_cast<std::size_t>(static_cast<const char*>(last) - first) + 1};
}

std::string_view input_file::whole_lines(std::size_t room, std::size_t skip, bool ahead) {
    if (ahead) {
        table_fill plan = plan_fill_ahead(room, skip, 0);
        plan.read();
        return finish_fill_ahead(plan, skip);
    }
    fill_ahead_.made = false;
    std::size_t from = 0;
    if (!lines_from(skip, from)) return {};
    if (::memrchr(buffer_.get() + from, '\n', end_ - from) == nullptr) {
        if (!fill_after_rest(room, from)) return {};
        from = begin_;
    }
    return hand_out(from);
}

table_fill input_file::plan_fill_ahead(std::size_t room, std::size_t skip, std::size_t passed) const {
    table_fill plan;
    // The input as it stands once `passed` more bytes are passed (pass_lines).
    std::size_t dropped = dropped_ - std::min(passed, dropped_);
    std::size_t begin = begin_ + (passed - std::min(passed, dropped_));
    // Then whole_lines(room, skip, true), up to its reading: a fill only
    // where no whole line is at hand, the lines not yet passed (those handed
    // out last among them) lie in one half, and the fill goes to the other.
    if (ahead_ || too_long_ || error_ != 0 || (lines_read_ == 0 && passed == 0) || buffer_ == nullptr ||
        skip < dropped)
        return plan;
    std::size_t from = begin + (skip - dropped);
    if (from > end_ || ::memrchr(buffer_.get() + from, '\n', end_ - from) != nullptr) return plan;
    auto half_of = [room](std::size_t at) { return at < room ? 0 : 1; };
    if (!identity_.regular || 2 * room != capacity_ || dropped != 0 || begin == end_ ||
        half_of(begin) != half_of(end_ - 1) || lines_begin_ < begin)
        return plan;
    std::size_t rest = end_ - from;
    // A rest of a half or more holds no whole line within `room`.
    if (at_end_ || rest >= room) return plan;
    plan.planned = true;
    plan.descriptor = fd_;
    plan.to = buffer_.get() + (begin < room ? room : 0);
    plan.rest = buffer_.get() + from;
    plan.rest_size = rest;
    plan.reading = room - rest;
    plan.keep = from;
    return plan;
}

void table_fill::read() {
    if (!planned) return;
    std::memmove(to, rest, rest_size);
    do got = ::read(descriptor, to + rest_size, reading);
    while (got < 0 && errno == EINTR);
    error = got < 0 ? errno : 0;
}

std::string_view input_file::finish_fill_ahead(table_fill& plan, std::size_t skip) {
    fill_ahead_.made = false;
    // A plan that the input no longer fits (lines passed otherwise than
    // planned) is read back, as is one that was not to be read.
    if (plan.planned && (dropped_ != 0 || begin_ + skip != plan.keep)) {
        abandon_fill_ahead(plan);
        plan.planned = false;
    }
    if (!plan.planned) {
        // No fill: the whole lines at hand, if any.
        std::size_t from = 0;
        return lines_from(skip, from) ? hand_out(from) : std::string_view{};
    }
    // The rest moved and the file read on: taken into account as
    // fill_after_rest takes its own, so that take_back_lines_ahead can undo it.
    fill_ahead_ = {true, begin_, end_, lines_begin_, at_end_, 0};
    std::size_t half = static_cast<std::size_t>(plan.to - buffer_.get());
    dropped_ += plan.keep - begin_;
    begin_ = half;
    end_ = half + plan.rest_size;
    if (plan.got <= 0) {
        // The rest stays for the record-by-record way, which finds the
        // end of the file (or the error) again.
        at_end_ = true;
        if (plan.got < 0) error_ = plan.error != 0 ? plan.error : EIO;
        return {};
    }
    end_ += static_cast<std::size_t>(plan.got);
    fill_ahead_.got = static_cast<std::size_t>(plan.got);
    return hand_out(begin_);
}

void input_file::abandon_fill_ahead(const table_fill& plan) {
    if (plan.planned && plan.got > 0 && ::lseek(fd_, -static_cast<off_t>(plan.got), SEEK_CUR) == -1)
        error_ = errno != 0 ? errno : EIO;
}

void input_file::take_back_lines_ahead() {
    if (!fill_ahead_.made) return;
    fill_ahead_.made = false;
    begin_ = fill_ahead_.begin;
    end_ = fill_ahead_.end;
    dropped_ = 0;
    lines_begin_ = fill_ahead_.lines_begin;
    at_end_ = fill_ahead_.at_end;
    error_ = 0;
    if (fill_ahead_.got > 0 && ::lseek(fd_, -static_cast<off_t>(fill_ahead_.got), SEEK_CUR) == -1)
        error_ = errno != 0 ? errno : EIO;
}

void input_file::pass_lines(std::size_t bytes, long lines) {
    std::size_t dropped = std::min(bytes, dropped_);
    dropped_ -= dropped;
    begin_ += bytes - dropped;
    lines_read_ += lines;
    record_line_ = lines_read_;
    line_ended_ = record_ended_ = true;
}

bool input_file::at_end() {
    if (!skip_blank_lines_) return too_long_ || (begin_ == end_ && !fill());
    if (ahead_) return false;
    std::string_view line;
    while (next_line(line)) {
        if (line_ended_ && line.find_first_not_of(' ') == std::string_view::npos) {
            ++blank_lines_;
            continue;
        }
        record_ahead_ = line;
        ahead_ = true;
        return false;
    }
    return true;
}

bool input_file::take(std::string_view& record, std::string_view text) {
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    ++lines_read_;
    if (text.size() > max_record_length) {
        too_long_ = true;
        record_line_ = lines_read_;
        return false;
    }
    if (lines_read_ == 1 && text.starts_with("\xef\xbb\xbf")) byte_order_mark_ = true;
    if (text.find('\r') != std::string_view::npos) lone_carriage_return_ = true;
    record = text;
    return true;
}

bool input_file::next_line(std::string_view& record) {
    line_ended_ = true;
    if (too_long_ || (begin_ == end_ && !fill())) return false;
    long_record_.clear();
    for (;;) {
        const char* start = buffer_.get() + begin_;
        std::size_t available = end_ - begin_;
        const void* nl = std::memchr(start, '\n', available);
        std::size_t length = nl != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nl) - start) : available;
        // One character more than the limit may be the carriage return of the line end.
        if (long_record_.size() + length > max_record_length + 1) {
            record_line_ = ++lines_read_;
            too_long_ = true;
            return false;
        }
        if (nl != nullptr) {
            begin_ += length + 1;
            if (long_record_.empty()) return take(record, std::string_view(start, length));
            long_record_.append(start, length);
            return take(record, long_record_);
        }
        // The line goes on past the buffer: keep what there is and read on.
        // The room is taken whole once, so the string never grows past it.
        if (long_record_.capacity() < max_record_length + 1) long_record_.reserve(max_record_length + 1);
        long_record_.append(start, available);
        begin_ = end_;
        if (!fill()) {
            if (error_ != 0) return false;
            line_ended_ = false;
            return take(record, long_record_);
        }
    }
}

bool input_file::next_record(std::string_view& record) {
    if (skip_blank_lines_) {
        if (at_end()) return false;
        ahead_ = false;
        record = record_ahead_;
    } else if (!next_line(record)) {
        return false;
    }
    record_line_ = lines_read_;
    record_ended_ = line_ended_;
    return true;
}

}  // namespace records
