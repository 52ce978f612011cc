// The data files behind the units: an input file read record by record and
// an output file written record by record. Neither reports an error itself;
// each keeps the system's reason (errno) of its first failure.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace records {

class input_file {
public:
    input_file() = default;
    input_file(const input_file&) = delete;
    input_file& operator=(const input_file&) = delete;
    ~input_file();

    // Opens an existing regular file for reading from its first record.
    bool open(const std::string& name);

    // The next record without its line end (a line feed, or a carriage
    // return and a line feed). A last line without its line feed is still a
    // record. The view stays valid until the next call. Returns false at the
    // end of the file or on a read error (then error() is not 0).
    bool next_record(std::string_view& record);

    // True when no record follows (or the file cannot be read further).
    bool at_end();

    long records_read() const { return records_read_; }
    int error() const { return error_; }

private:
    bool fill();

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_ = std::vector<char>(1 << 16);
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::string long_record_;
    long records_read_ = 0;
    int error_ = 0;
    bool at_end_ = false;
};

class output_file {
public:
    output_file() = default;
    output_file(const output_file&) = delete;
    output_file& operator=(const output_file&) = delete;
    ~output_file();

    // Creates the file, or empties an existing one.
    bool open(const std::string& name);
    // Writes the record and its line feed; false when the write failed.
    bool write_record(std::string_view record);
    // Flushes and closes; false when a buffered write failed.
    bool close();
    bool is_open() const { return file_ != nullptr; }
    int error() const { return error_; }

private:
    bool flush();

    // Records are gathered here and handed to the file in large blocks.
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    int error_ = 0;
};

}  // namespace records
