#include "mesh/number_index.hpp"

#include "mesh/large_tables.hpp"

#include <limits>
#include <stdexcept>
#include <string>

namespace mesh_model {

namespace {

void check_range(std::int32_t number) {
    if (number < least_number || number > greatest_number)
        throw std::out_of_range("number " + std::to_string(number) + " is beyond an I6 field's");
}

}  // namespace

number_index::~number_index() { release_large(slots_, slot_count * sizeof(std::int32_t)); }

std::int32_t number_index::put(std::int32_t number, std::size_t position) {
    check_range(number);
    if (position >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::out_of_range("table position " + std::to_string(position) + " is beyond the index's");
    if (slots_ == nullptr)
        slots_ = static_cast<std::int32_t*>(allocate_large(slot_count * sizeof(std::int32_t), true));
    std::int32_t& slot = slots_[number - least_number];
    std::int32_t before = slot;
    slot = static_cast<std::int32_t>(position) + 1;
    return before;
}

bool number_set::insert(std::int32_t number) {
    check_range(number);
    if (bits_.empty()) bits_.resize(static_cast<std::size_t>(greatest_number - least_number) + 1, false);
    auto bit = bits_[static_cast<std::size_t>(number - least_number)];
    if (bit) return false;
    bit = true;
    return true;
}

}  // namespace mesh_model
