#include "meshexport/layer_angles.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace meshexport {

std::int32_t angle_hundredths(float angle) {
    // The reader refuses an angle F8.2 cannot hold, so the value is below
    // 10^5 in size and its hundredths fit an int32.
    return static_cast<std::int32_t>(std::lround(double{angle} * 100.0));
}

std::string angle_set_name(std::int32_t hundredths) {
    std::int64_t size = std::llabs(std::int64_t{hundredths});
    std::string name = "ANGLE";
    if (hundredths < 0) name += 'M';
    name += std::to_string(size / 100);
    if (std::int64_t fraction = size % 100; fraction != 0)
        name += fraction % 10 == 0 ? "_" + std::to_string(fraction / 10)
                                   : (fraction < 10 ? "_0" : "_") + std::to_string(fraction);
    return name;
}

std::vector<std::int32_t> angle_keys(const mesh& m) {
    std::vector<std::int32_t> keys;
    keys.reserve(m.elements.size());
    for (const element_record& e : m.elements) keys.push_back(angle_hundredths(e.angle));
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

std::vector<std::uint32_t> by_angle(const mesh& m) {
    std::vector<std::int32_t> key(m.elements.size());
    for (std::size_t i = 0; i < key.size(); ++i) key[i] = angle_hundredths(m.elements[i].angle);
    std::vector<std::uint32_t> order(m.elements.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
    std::stable_sort(order.begin(), order.end(), [&key](std::uint32_t a, std::uint32_t b) { return key[a] < key[b]; });
    return order;
}

}  // namespace meshexport
