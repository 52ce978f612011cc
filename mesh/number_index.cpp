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

// The slots of the numbers from 1 on start on a huge page's boundary: the
// numbers of a table numbered from 1 then fill as few huge pages as they
// can (up to 524288 in one, not two), and the slots of 0 and the negative
// numbers, which no model has, lie in the page before, never written.
constexpr std::size_t lead_slots =
    (huge_page_bytes - static_cast<std::size_t>(1 - least_number) * sizeof(std::int32_t) % huge_page_bytes) %
    huge_page_bytes / sizeof(std::int32_t);

}  // namespace

number_index::~number_index() {
    if (slots_ != nullptr) release_large(slots_ - lead_slots, (lead_slots + slot_count) * sizeof(std::int32_t));
}

std::int32_t number_index::put(std::int32_t number, std::size_t position) {
    check_range(number);
    if (position >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::out_of_range("table position " + std::to_string(position) + " is beyond the index's");
    if (slots_ == nullptr)
        slots_ = static_cast<std::int32_t*>(allocate_large((lead_slots + slot_count) * sizeof(std::int32_t), true)) +
                 lead_slots;
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
