// Reading "wtopo.dat" on unit 5 while keeping count of the records read, so
// that an input error found by topo itself can name its record the way the
// record layer names its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/run.hpp"

namespace topo {

class wtopo_input {
public:
    static constexpr std::string_view file_name = "wtopo.dat";

    explicit wtopo_input(records::run& r) : r_(r) {}

    records::run& run() { return r_; }

    // A whole read statement whose format reads `records` records.
    template <typename... Items>
    void read(long records, const records::record_format& format, Items&... items) {
        r_.read(5, format, items...);
        records_ += records;
    }

    // For statements transferred item by item: the record the next statement
    // starts with, and how many records a finished statement took.
    long next_record() const { return records_ + 1; }
    void count(long records) { records_ += records; }

    // Ends the run: "wtopo.dat, record N: what".
    [[noreturn]] void fail(long record, std::string_view what) {
        r_.fail(std::string(file_name) + ", record " + std::to_string(record) + ": " + std::string(what));
    }

private:
    records::run& r_;
    long records_ = 0;
};

}  // namespace topo
