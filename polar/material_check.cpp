#include "polar/material_check.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "polar/lamina.hpp"

namespace polar {

namespace {

// A value as read, in the fewest digits that give it back ("1.5", "0",
// "9e+30", "nan").
std::string shown(float value) {
    std::array<char, 32> buf{};
    auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return std::string(buf.data(), result.ptr);
}

// Where a value stands in "polar.dat" and what it is called.
struct place {
    const char* name;
    int record;
    int from;
    int to;
};

std::string at(const place& p) {
    return "polar.dat, record " + std::to_string(p.record) + ", columns " + std::to_string(p.from) + "-" +
           std::to_string(p.to) + ": ";
}

const place em_place{"EM", 3, 31, 42};
const place num_place{"NUM", 4, 31, 42};
const place efl_place{"EFL", 6, 41, 52};
const place eft_place{"EFT", 7, 41, 52};
const place gflt_place{"GFLT", 8, 41, 52};
const place gftt_place{"GFTT", 9, 41, 52};
const place kftt_place{"KFTT", 10, 41, 52};
const std::array<place, 3> vf_places{{{"VF", 11, 24, 28}, {"VF", 11, 29, 33}, {"VF", 11, 34, 38}}};

bool is_modulus(float v) { return std::isfinite(v) && v > 0.0f; }

}  // namespace

std::optional<std::string> no_material(const mf& m, std::span<const float> vfk) {
    // Moduli in record order; NUM stands between EM and the fibre.
    struct modulus {
        const place& where;
        float value;
    };
    const modulus matrix_modulus{em_place, m.em};
    const std::array<modulus, 5> fibre_moduli{{{efl_place, m.efl},
                                                {eft_place, m.eft},
                                                {gflt_place, m.gflt},
                                                {gftt_place, m.gftt},
                                                {kftt_place, m.kftt}}};
    auto not_a_modulus = [](const modulus& mo) {
        return at(mo.where) + mo.where.name + " " + shown(mo.value) +
               " is not a modulus: it must be a finite number above 0";
    };

    if (!is_modulus(matrix_modulus.value)) return not_a_modulus(matrix_modulus);
    // Written so that a not-a-number fails too.
    if (!(m.num > -1.0f && m.num < 0.5f))
        return at(num_place) + "NUM " + shown(m.num) +
               " is not a Poisson ratio of an isotropic matrix: it must lie above -1 and below 0.5";
    for (const modulus& mo : fibre_moduli)
        if (!is_modulus(mo.value)) return not_a_modulus(mo);

    // The square of the fibre's longitudinal Poisson ratio, exactly as the
    // lamina takes it: below 0 its square root is not a number.
    const float cal = constituents(m).cal;
    if (!(std::isfinite(cal) && cal >= 0.0f))
        return "polar.dat, records 6, 7, 9 and 10, columns 41-52: EFL " + shown(m.efl) + ", EFT " + shown(m.eft) +
               ", GFTT " + shown(m.gftt) + " and KFTT " + shown(m.kftt) +
               " are inconsistent: the square of the fibre's longitudinal Poisson ratio they give is " + shown(cal) +
               ", not a finite number of 0 or more";

    for (std::size_t k = 0; k < vfk.size() && k < vf_places.size(); ++k)
        if (!(vfk[k] >= 0.0f && vfk[k] <= 1.0f))
            return at(vf_places[k]) + "VF " + shown(vfk[k]) + " is not a volume fraction: it must lie from 0 to 1";
    return std::nullopt;
}

void refuse_what_is_no_material(records::run& r, const mf& m, std::span<const float> vfk) {
    if (std::optional<std::string> fault = no_material(m, vfk)) r.fail(*fault);
}

}  // namespace polar
