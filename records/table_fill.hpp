// A table's fill ahead in two steps (input_file::plan_fill_ahead): the
// copying and reading itself, which may run on another thread, apart from
// the input's own account of it.
#pragma once

#include <sys/types.h>

#include <cstddef>

namespace records {

struct table_fill {
    bool planned = false;
    int descriptor = -1;
    char* to = nullptr;            // the start of the half the fill goes to
    const char* rest = nullptr;    // the part of a line at the end of the lines handed out
    std::size_t rest_size = 0;
    std::size_t reading = 0;       // bytes to read after the rest
    std::size_t keep = 0;          // where the rest stood in the buffer
    ssize_t got = 0;               // what the read gave
    int error = 0;

    // Moves the rest to the half and reads on after it; touches nothing
    // but that half. Nothing when nothing was planned.
    void read();
};

}  // namespace records
