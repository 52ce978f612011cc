#include "meshexport/layer_angles.hpp"

#include <cstdlib>

namespace meshexport {

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

}  // namespace meshexport
