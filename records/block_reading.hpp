// A large table read many lines at a time: the lines whose fields are plain
// are read from the unit's buffer in blocks (run::table_lines), a large
// block in two halves at once (side_by_side.hpp), and handed on one by one,
// each counted as read just before; any other line (a blank one, a field of
// another form, a fault to name) is left to a read statement, so that the
// values and the diagnostics are those of reading record by record.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "records/run.hpp"
#include "records/side_by_side.hpp"

namespace records {

// A table is taken in blocks of whole lines of this size at most, and a
// block of at least `shared_block` bytes is read in two halves at once.
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
        while (from < to) {
            std::size_t end = block.find('\n', from);  // the block is whole lines
            if (!read_plain(block.substr(from, end - from), value)) return;
            values.push_back(value);
            ends.push_back(end + 1);
            from = end + 1;
        }
        whole = true;
    }
};

// Reads the unit, a table (run::read_as_table), to its end. Each line that
// read_plain(line, value) reads (without its line feed; it returns false
// for a line it does not take) goes to take(value); any other record to
// read_one(), which reads it by a statement, or returns false at the end of
// the file. read_plain runs on two threads at once, so it changes nothing
// but its value; take runs on the run's thread, and reads nothing from the
// unit.
//
// A large block is shared in two halves: the helper reads the second while
// this thread reads the first and hands its values on, so that taking them
// (and the work take does) goes on while the helper reads; the helper's
// values follow.
template <typename Value, typename ReadPlain, typename Take, typename ReadOne>
void read_in_blocks(run& r, input_unit unit, ReadPlain read_plain, Take take, ReadOne read_one) {
    plain_lines<Value> halves[2];
    std::size_t passed = 0;  // of the block, the bytes of the lines taken
    auto take_part = [&](const plain_lines<Value>& part) {
        for (std::size_t i = 0; i < part.values.size(); ++i) {
            r.pass_table_lines(unit, part.ends[i] - passed, 1);
            passed = part.ends[i];
            take(part.values[i]);
        }
    };
    for (;;) {
        std::string_view block = r.table_lines(unit, table_block);
        if (!block.empty()) {
            passed = 0;
            // A small block is all first half.
            std::size_t middle = block.size() < shared_block ? block.size() : block.find('\n', block.size() / 2) + 1;
            auto first_half = [&] {
                halves[0].read(block, 0, middle, read_plain);
                take_part(halves[0]);
            };
            auto second_half = [&] { halves[1].read(block, middle, block.size(), read_plain); };
            if (middle == block.size()) {
                second_half();
                first_half();
            } else {
                side_by_side(second_half, first_half);
            }
            if (halves[0].whole) take_part(halves[1]);
            if (halves[0].whole && halves[1].whole) continue;
        }
        if (!read_one()) return;
    }
}

}  // namespace records
