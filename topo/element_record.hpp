// The elements topo forms, written to "wtopo.out" in its element record
// (layouts/mesh_tables.hpp) with the angle and type code of their group or
// section. Element groups and generated sections write the same record.
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

// Writes element records to wtopo.out, each the moment it is formed.
class element_writer {
public:
    explicit element_writer(records::run& r) : r_(r) {}
    void write(const element& e, float ang, std::int32_t itype);

private:
    records::run& r_;
};

}  // namespace topo
