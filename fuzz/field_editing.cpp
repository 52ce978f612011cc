// Input editing of every descriptor on any field text. A value that reads
// must write back and read again unchanged: 9 significant digits identify
// every 32-bit real, and integers are exact.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "records/input_editing.hpp"
#include "records/output_editing.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 256) return 0;
    int digits = data[0] % 10;
    std::string_view field(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::int32_t i = 0;
    if (records::read_integer_field(field, i) == records::field_status::ok) {
        std::string out;
        records::put_integer(out, i, 11);
        std::int32_t back = 0;
        if (records::read_integer_field(out, back) != records::field_status::ok || back != i) std::abort();
    }

    float v = 0.0f;
    if (records::read_real_field(field, digits, v) == records::field_status::ok) {
        std::string e;
        records::put_exponent(e, v, 16, 9);
        float back = 0.0f;
        if (records::read_real_field(e, 9, back) != records::field_status::ok) std::abort();
        if (std::isnan(v) != std::isnan(back)) std::abort();
        if (!std::isnan(v) && std::bit_cast<std::uint32_t>(back) != std::bit_cast<std::uint32_t>(v)) std::abort();
        std::string f;
        records::put_fixed(f, v, 60, digits);
        if (f.size() != 60) std::abort();
    }
    return 0;
}
