// A large table read many lines at a time: the lines whose fields are plain
// are read from the unit's buffer in blocks (run::table_lines), a large
// block in two parts at once (side_by_side.hpp), and handed on one by one,
// each counted as read just before; any other line (a blank one, a field of
// another form, a fault to name) is left to a read statement, so that the
// values and the diagnostics are those of reading record by record.
#pragma once

#include <atomic>
#include <cstddef>
#include <string_view>
#include <vector>

#include "records/run.hpp"
#include "records/side_by_side.hpp"

namespace records {

// A table is taken in blocks of whole lines of this size at most, and a
// block of at least `shared_block` bytes is read in two parts at once.
inline constexpr std::size_t table_block = std::size_t{1} << 19;
inline constexpr std::size_t shared_block = std::size_t{1} << 17;

// What one part of a block held, up to its first line that a read
// statement is to take.
template <typename Value>
struct plain_lines {
    std::vector<Value> values;
    std::vector<std::size_t> ends;  // of each value's line in the block, after its line feed
    bool whole = false;             // every line of the part was read

    template <typename ReadPlain>
    void read(std::string_view block, std::size_t from, std::size_t to, ReadPlain& read_plain) {
        values.clear();
        ends.clear();
        whole = false;
        Value value{};
        std::string_view previous;  // the line read last, whose values `value` holds
        while (from < to) {
            std::size_t end = block.find('\n', from);  // the block is whole lines
            std::string_view line = block.substr(from, end - from);
            if (!read_plain(line, previous, value)) return;
            values.push_back(value);
            ends.push_back(end + 1);
            previous = line;
            from = end + 1;
        }
        whole = true;
    }
};

// The lines of a block read plainly: the run's thread's part, then the
// helper's.
template <typename Value>
struct read_block {
    plain_lines<Value> parts[2];
    std::size_t size = 0;  // of the block, in bytes; 0 once its values are taken
};

// A shared block is cut where this many parts of it would be, so many of
// them read on the run's thread (at first half of them).
inline constexpr unsigned block_shares = 32;

// Reads the unit, a table (run::read_as_table), to its end. Each line that
// read_plain(line, previous, value) reads (without its line feed; it
// returns false for a line it does not take) goes to take(value); previous
// is the line it read last into `value`, which still holds its values, or
// empty; any other record to
// read_one(), which reads it by a statement, or returns false at the end of
// the file. read_plain runs on two threads at once, so it changes nothing
// but its value; take runs on the run's thread, and reads nothing from the
// unit.
//
// The work goes on in a pipeline: while this thread takes the values of the
// block read last, and then reads the first part of the next block, the
// helper reads the rest of that block, and then the file on into the other
// half of the input's buffer, as this thread planned. Taking a value costs the program's
// own work on it, so the part this thread reads is not fixed at a half:
// whichever thread finished a block last reads a little less of the next.
// Which thread reads a line changes neither the values nor the order in
// which they are taken.
template <typename Value, typename ReadPlain, typename Take, typename ReadOne>
void read_in_blocks(run& r, input_unit unit, ReadPlain read_plain, Take take, ReadOne read_one) {
    read_block<Value> blocks[2];
    std::size_t last = 0;  // the block read last
    unsigned share = block_shares / 2;
    // Each line is counted as read just before its value is taken, up to
    // the first line that a read statement is to take.
    auto take_block = [&](read_block<Value>& block) {
        if (block.size == 0) return;
        std::size_t passed = 0;  // of the block, the bytes of the lines taken
        for (const plain_lines<Value>& part : block.parts) {
            for (std::size_t i = 0; i < part.values.size(); ++i) {
                r.pass_table_lines(unit, part.ends[i] - passed, 1);
                passed = part.ends[i];
                take(part.values[i]);
            }
            if (!part.whole) break;
        }
        block.size = 0;
    };
    std::string_view ahead;  // the next block, read while the helper read its part of the last
    for (;;) {
        read_block<Value>& done = blocks[last];
        read_block<Value>& next = blocks[1 - last];
        // Reading on past a block that a read statement is to finish would
        // be wasted.
        bool read_on = done.size == 0 || (done.parts[0].whole && done.parts[1].whole);
        std::string_view block = ahead;
        ahead = {};
        if (block.empty() && read_on) block = r.table_lines(unit, table_block, done.size);
        if (block.empty()) {
            take_block(done);
            if (!read_one()) return;
            continue;
        }
        // A small block is all this thread's.
        std::size_t cut = block.size() < shared_block ? block.size()
                                                      : block.find('\n', block.size() / block_shares * share) + 1;
        // The file read on into the other half of the buffer while this
        // thread takes the values of the block before: planned here as if
        // they were taken, read by the helper once it has read its part,
        // and taken on below (or taken back, when a part of this block
        // holds a line for a statement).
        table_fill fill;
        if (cut < block.size()) fill = r.plan_table_fill(unit, table_block, block.size(), done.size);
        auto helper_part = [&] {
            next.parts[1].read(block, cut, block.size(), read_plain);
            fill.read();
        };
        auto own_part = [&] {
            take_block(done);
            next.parts[0].read(block, 0, cut, read_plain);
        };
        if (cut == block.size()) {
            helper_part();
            own_part();
        } else {
            std::atomic<bool> helper_finished{false};
            bool helper_first = false;
            side_by_side(
                [&] {
                    helper_part();
                    helper_finished.store(true, std::memory_order_release);
                },
                [&] {
                    own_part();
                    helper_first = helper_finished.load(std::memory_order_acquire);
                });
            if (helper_first && share > 1) --share;
            if (!helper_first && share < block_shares - 1) ++share;
            if (!next.parts[0].whole) {
                r.abandon_table_fill(unit, fill);
            } else {
                ahead = r.finish_table_fill(unit, fill, block.size());
                if (!next.parts[1].whole) {
                    r.take_back_table_lines(unit);
                    ahead = {};
                }
            }
        }
        next.size = block.size();
        last = 1 - last;
    }
}

}  // namespace records
