// The units a program connects its files to, typed by direction: a unit
// read from and a unit written to are different types, so a read statement
// on an output, or a write on an input, is not a program that compiles.
// Each program names its units once, in its units.hpp:
//
//     inline constexpr records::input_unit wnodes_dat{5};   // "wnodes.dat", read
//     inline constexpr records::output_unit wnodes_out{6};  // "wnodes.out", written
//
// A unit is still a number from 0 to run::max_unit, the one a diagnostic
// of the program's own workings names.
#pragma once

namespace records {

struct input_unit {
    int number;
    constexpr explicit input_unit(int n) : number(n) {}
};

struct output_unit {
    int number;
    constexpr explicit output_unit(int n) : number(n) {}
};

}  // namespace records
