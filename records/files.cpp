#include "records/files.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace records {

input_file::~input_file() {
    if (file_ != nullptr) std::fclose(file_);
}

bool input_file::open(const std::string& name) {
    std::error_code ec;
    if (std::filesystem::is_directory(name, ec)) {
        error_ = EISDIR;
        return false;
    }
    file_ = std::fopen(name.c_str(), "rb");
    if (file_ == nullptr) {
        error_ = errno;
        return false;
    }
    return true;
}

bool input_file::fill() {
    if (at_end_) return false;
    begin_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (end_ == 0) {
        at_end_ = true;
        if (std::ferror(file_)) error_ = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

bool input_file::at_end() { return begin_ == end_ && !fill(); }

bool input_file::next_record(std::string_view& record) {
    if (begin_ == end_ && !fill()) return false;
    long_record_.clear();
    bool long_record = false;
    for (;;) {
        const char* start = buffer_.data() + begin_;
        const void* nl = std::memchr(start, '\n', end_ - begin_);
        if (nl != nullptr) {
            auto length = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
            begin_ += length + 1;
            if (long_record) {
                long_record_.append(start, length);
                record = long_record_;
            } else {
                record = std::string_view(start, length);
            }
            break;
        }
        // The record goes on past the buffer: keep what there is and read on.
        long_record_.append(start, end_ - begin_);
        long_record = true;
        begin_ = end_;
        if (!fill()) {
            if (error_ != 0) return false;
            record = long_record_;
            break;
        }
    }
    if (!record.empty() && record.back() == '\r') record.remove_suffix(1);
    ++records_read_;
    return true;
}

output_file::~output_file() {
    if (file_ != nullptr) std::fclose(file_);
}

bool output_file::open(const std::string& name) {
    file_ = std::fopen(name.c_str(), "wb");
    if (file_ == nullptr) {
        error_ = errno;
        return false;
    }
    std::setvbuf(file_, nullptr, _IONBF, 0);
    buffer_.resize(1 << 16);
    return true;
}

bool output_file::flush() {
    if (used_ == 0 || error_ != 0) return error_ == 0;
    errno = 0;
    if (std::fwrite(buffer_.data(), 1, used_, file_) != used_) error_ = errno != 0 ? errno : EIO;
    used_ = 0;
    return error_ == 0;
}

bool output_file::write_record(std::string_view record) {
    if (error_ != 0) return false;
    std::size_t needed = record.size() + 1;
    if (used_ + needed > buffer_.size() && !flush()) return false;
    if (needed > buffer_.size()) buffer_.resize(needed);
    std::memcpy(buffer_.data() + used_, record.data(), record.size());
    buffer_[used_ + record.size()] = '\n';
    used_ += needed;
    return true;
}

bool output_file::close() {
    if (file_ == nullptr) return error_ == 0;
    flush();
    errno = 0;
    bool closed = std::fclose(file_) == 0;
    if (!closed && error_ == 0) error_ = errno != 0 ? errno : EIO;
    file_ = nullptr;
    return error_ == 0;
}

}  // namespace records
