// The data files behind the units: an input file read record by record and
// an output file written record by record. Neither reports an error itself;
// each keeps the system's reason (errno) of its first failure.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "records/table_fill.hpp"
#include "records/whole_records.hpp"

namespace records {

// The longest record an input file may hold, line end not counted. A longer
// one is an input error, found without reading further than this.
inline constexpr std::size_t max_record_length = 1048576;

// Which file an open descriptor is: two names of one regular file (links,
// symbolic links) have the same identity.
struct file_identity {
    dev_t device = 0;
    ino_t inode = 0;
    bool regular = false;
    bool same_file(const file_identity& other) const {
        return regular && other.regular && device == other.device && inode == other.inode;
    }
};

// The identity of the file open on fd; not regular when it cannot be told.
file_identity identity_of(int fd);

class input_file {
public:
    input_file() = default;
    input_file(const input_file&) = delete;
    input_file& operator=(const input_file&) = delete;
    ~input_file();

    // Opens an existing file for reading from its first record; a directory
    // is refused.
    bool open(const std::string& name);

    // Marks the file as a table that a tool reads back whole, as a program
    // wrote it; the record layer then refuses a record cut off at the file's
    // end (see ended()). With `skip_blank_lines`, blank lines (nothing but
    // blanks before the line feed, a carriage return included) are no records
    // from here on: next_record and at_end pass over them one at a time and
    // count them as lines. A last line without its line feed is always a
    // record, whatever it holds.
    void read_as_table(bool skip_blank_lines) {
        table_ = true;
        skip_blank_lines_ = skip_blank_lines;
    }
    bool is_table() const { return table_; }

    // The next record without its line end (a line feed, or a carriage
    // return and a line feed). A last line without its line feed is still a
    // record (ended() is then false). The view stays valid until the next
    // call of next_record or at_end. Returns false at the end of the file, on
    // a read error (then error() is not 0) and on a record longer than
    // max_record_length (then too_long() is true).
    bool next_record(std::string_view& record);

    // True when no record follows, or the file cannot be read further (then
    // error() is not 0 or too_long() is true). With blank lines skipped this
    // reads on to the next record, which next_record then hands out.
    bool at_end();

    // Whole lines from the next one on, their line feeds included, for a
    // reader that takes many records of a table at once: as many as the
    // buffer holds, which is filled first (and grown to `room` bytes) when it
    // holds no whole line. Empty at the end of the file, on a read error, for
    // the file's first line (it may start with a byte-order mark), after
    // at_end read a record ahead, and when the next line is not whole within
    // `room` bytes: the record-by-record way then takes the next record. The
    // view stays valid until the next call of any reading function.
    //
    // With `skip`, the lines after the first `skip` bytes not yet passed:
    // whole lines handed out before, which a reader has read but not yet
    // taken, so that it reads on while it takes them. They may leave the
    // buffer when it is filled; pass_lines still takes them first.
    //
    // The buffer is filled in halves of `room` bytes, each fill into the
    // half that does not hold the lines before it. So `ahead`, a call while
    // another thread still reads the lines handed out last, leaves those in
    // place: it fills the other half or gives none (for a file that is not
    // regular, or when they do not lie in one half), and
    // take_back_lines_ahead undoes it, the file read back to where it was,
    // for a reader that finds it read too far.
    std::string_view whole_lines(std::size_t room, std::size_t skip = 0, bool ahead = false);
    void take_back_lines_ahead();
    // The same fill ahead in two steps, so that its reading runs on another
    // thread while this one passes `passed` bytes of lines handed out
    // before: plan_fill_ahead decides the fill as whole_lines(room, skip,
    // true) would once they are passed, and says what to copy and read
    // where (table_fill::read, which touches only the half the fill goes
    // to); once they are passed and the plan read, finish_fill_ahead gives
    // what that call would have given, take_back_lines_ahead undoing it
    // alike; abandon_fill_ahead instead reads the file back to where the
    // plan found it. whole_lines(room, skip, true) is the three steps on
    // one thread, with nothing passed between.
    table_fill plan_fill_ahead(std::size_t room, std::size_t skip, std::size_t passed) const;
    std::string_view finish_fill_ahead(table_fill& plan, std::size_t skip);
    void abandon_fill_ahead(const table_fill& plan);
    // Takes the first `lines` lines (`bytes` characters, their line feeds
    // included) of whole_lines() as records read: the last of them is the
    // record handed out last.
    void pass_lines(std::size_t bytes, long lines);

    // The number of the record handed out last, which is its line in the
    // file: skipped blank lines count. 0 before the first record.
    long records_read() const { return record_line_; }
    // Lines read so far: records, skipped blank lines and a record read
    // ahead by at_end, or refused as too long.
    long lines_read() const { return lines_read_; }
    long blank_lines() const { return blank_lines_; }
    // False when the record handed out last is the file's last line and has
    // no line feed: the file may have been cut off inside it.
    bool ended() const { return record_ended_; }
    int error() const { return error_; }
    bool too_long() const { return too_long_; }
    // What a diagnostic may need to explain: a UTF-8 byte-order mark before
    // the first record, carriage returns inside the records read.
    bool starts_with_byte_order_mark() const { return byte_order_mark_; }
    bool has_lone_carriage_returns() const { return lone_carriage_return_; }
    const file_identity& identity() const { return identity_; }

private:
    bool fill();
    // Keeps the buffer's bytes from `keep` on (the part of a line at its
    // end), moved to the start of the half (of `room` bytes, the buffer
    // grown to two first) that does not hold begin_, and reads on after
    // them. The bytes before `keep` that are not yet passed are dropped.
    bool fill_after_rest(std::size_t room, std::size_t keep);
    // Where the lines after the first `skip` bytes not yet passed begin;
    // false when whole_lines is to give none.
    bool lines_from(std::size_t skip, std::size_t& from) const;
    // The whole lines in the buffer from `from` on, handed out (empty when
    // there are none).
    std::string_view hand_out(std::size_t from);
    // The next line, blank or not; sets line_ended_.
    bool next_line(std::string_view& record);
    bool take(std::string_view& record, std::string_view text);

    int fd_ = -1;
    // Taken when the file opens, so a unit that writes holds none, and left
    // uninitialised: only what a read fills is ever touched.
    static constexpr std::size_t buffer_size = 1 << 16;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;  // of buffer_, which whole_lines may grow
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    // Whole lines handed out, not yet passed, that a fill took out of the
    // buffer: passed before the bytes from begin_ on.
    std::size_t dropped_ = 0;
    // Where the lines whole_lines handed out last begin.
    std::size_t lines_begin_ = 0;
    // What a fill ahead changed, for take_back_lines_ahead.
    // A fill ahead starts with no lines dropped and no error.
    struct fill_ahead {
        bool made = false;
        std::size_t begin = 0, end = 0, lines_begin = 0;
        bool at_end = false;
        std::size_t got = 0;  // bytes read
    } fill_ahead_;
    // A line that runs past the buffer, gathered here. Its room, taken once,
    // is max_record_length + 1 (a carriage return may end the longest
    // record) and never grows: a longer line is refused before it is kept.
    std::string long_record_;
    long lines_read_ = 0;
    long record_line_ = 0;
    long blank_lines_ = 0;
    int error_ = 0;
    bool at_end_ = false;
    bool too_long_ = false;
    bool table_ = false;
    bool skip_blank_lines_ = false;
    // The record at_end read ahead, handed out by the next next_record.
    bool ahead_ = false;
    std::string_view record_ahead_;
    bool line_ended_ = true;    // of the line read last
    bool record_ended_ = true;  // of the record handed out last
    bool byte_order_mark_ = false;
    bool lone_carriage_return_ = false;
    file_identity identity_;
};

class output_file {
public:
    output_file() = default;
    output_file(const output_file&) = delete;
    output_file& operator=(const output_file&) = delete;
    ~output_file();

    // Opens the file for writing, creating it when missing, without
    // changing what it holds yet.
    bool open(const std::string& name);
    // Creates the file for writing, as a new one: a name that is taken (a
    // link among them) is never opened, and error() is then EEXIST.
    bool create(const std::string& name);
    const file_identity& identity() const { return identity_; }
    int descriptor() const { return fd_; }
    // Empties the file (when it is a regular one): the run's records replace
    // what it held. From here on, an interrupt cuts it back to its last whole record.
    bool start();
    // Writes the record and its line feed; false when the write failed.
    bool write_record(std::string_view record) {
        char* place = reserve_record(record.size());
        if (place == nullptr) return false;
        copy_record(place, record.data(), record.size());
        commit_record(record.size());
        return true;
    }
    // Room for a record of `length` characters in the gathered block, to be
    // written in place and handed on by commit_record(length); nullptr when
    // making room failed.
    char* reserve_record(std::size_t length) {
        if (error_ == 0 && used_ + length < capacity_) return buffer_.get() + used_;
        return make_room(length);
    }
    void commit_record(std::size_t length) {
        buffer_[used_ + length] = '\n';
        used_ += length + 1;
        ++records_buffered_;
    }
    // Writes whole lines, each ended by its line feed, as records: copied
    // into the gathered block as they stand, a block ending at a line end;
    // text of a block or more goes to the file as it stands, after the
    // block gathered before it.
    bool write_lines(std::string_view text);
    // Writes bytes as they stand, line feeds or not: for a file that is
    // whole or not at all, where no record is ever cut back to. Bytes of a
    // block or more go to the file as they stand, as text does.
    bool write_bytes(std::string_view bytes);
    // Hands the gathered records to the file; false when that failed. A
    // failed write leaves a regular file cut back to its last whole record.
    bool flush();
    // Flushes and closes; false when a write failed.
    bool close();
    bool is_open() const { return fd_ != -1; }
    int error() const { return error_; }
    // Whether records_in_file() is known: true for a regular file.
    bool is_regular() const { return identity_.regular; }
    long records_in_file() const { return records_in_file_; }

private:
    // A record of a table is short: up to 64 characters it is copied in
    // two pieces of a fixed size, which overlap, without a call.
    template <std::size_t piece>
    static void copy_two_pieces(char* to, const char* from, std::size_t size) {
        std::memcpy(to, from, piece);
        std::memcpy(to + size - piece, from + size - piece, piece);
    }
    static void copy_record(char* to, const char* from, std::size_t size) {
        if (size > 64) std::memcpy(to, from, size);
        else if (size >= 32) copy_two_pieces<32>(to, from, size);
        else if (size >= 16) copy_two_pieces<16>(to, from, size);
        else if (size >= 8) copy_two_pieces<8>(to, from, size);
        else if (size >= 4) copy_two_pieces<4>(to, from, size);
        else
            for (std::size_t i = 0; i < size; ++i) to[i] = from[i];
    }
    char* make_room(std::size_t length);
    // Writes `size` bytes at `data`, `records` whole records, to the file;
    // false when that failed, the file then cut back as flush says.
    bool put_out(const char* data, std::size_t size, long records);
    // Hands a full block to the file, then uses more of the buffer.
    bool hand_on_block();

    // Records are gathered here and handed to the file in blocks. The
    // buffer is taken at its largest size, but only its first `capacity_`
    // characters are used: they start at first_block and double after every
    // fills_per_size full blocks, up to max_block. Memory is only given a
    // page when first written, and each new page costs more than handing a
    // small block to the file does, so a small file costs a page or two,
    // while a large one soon goes in large blocks.
    static constexpr std::size_t first_block = 1 << 12;
    static constexpr std::size_t max_block = 1 << 18;
    static constexpr int fills_per_size = 4;
    int fd_ = -1;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t allocated_ = 0;
    int fills_ = 0;
    std::size_t used_ = 0;
    long records_buffered_ = 0;
    long records_in_file_ = 0;
    std::int64_t length_ = 0;
    int error_ = 0;
    file_identity identity_;
    output_progress* progress_ = nullptr;
};

}  // namespace records
