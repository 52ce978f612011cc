// The element record of "wtopo.out": element number, its three node numbers,
// the angle and the type code, laid out "(4I6,F8.2,I3)". Element groups and
// generated sections write the same record.
#pragma once

#include <cstdint>

#include "records/run.hpp"

namespace topo {

struct element {
    std::int32_t number = 0;
    std::int32_t first = 0;
    std::int32_t second = 0;
    std::int32_t third = 0;
};

// Writes element records on unit 6 of a run, each the moment it is formed.
class element_writer {
public:
    explicit element_writer(records::run& r) : r_(r) {}
    void write(const element& e, float ang, std::int32_t itype);

private:
    records::run& r_;
};

}  // namespace topo
