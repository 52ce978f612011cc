// The line in its file of each record of a table read whole, by the
// record's position in the table: the position + 1 and the blank lines
// before it (blank lines are no records). Only the places where that count
// changes are kept, so a table without blank lines costs nothing here. A
// record may take a fixed count of lines (an element of the solver's stress
// lines, one for each integration point): its first line is then counted.
#pragma once

#include <cstddef>
#include <vector>

namespace mesh_model {

class record_lines {
public:
    explicit record_lines(long lines_per_record = 1) : lines_per_record_(lines_per_record) {}
    // The record at `position` (from 0; each position after the last one
    // added) is on `line` (from 1) of its file.
    void add(std::size_t position, long line);
    // The line of the record at `position`.
    long line(std::size_t position) const;

private:
    struct step {
        std::size_t from;  // the first position with this count
        long blanks;  // the lines before it that start no record
    };
    long lines_per_record_;
    std::vector<step> steps_;
};

}  // namespace mesh_model
