#include "layouts/element_stresses.hpp"

namespace layouts {

void write_stress(records::run& r, int unit, const stress_record& s) { r.write(unit, stress_format, s.sh, s.sz, s.shz); }

void read_stress(records::run& r, int unit, stress_record& s) { r.read(unit, stress_format, s.sh, s.sz, s.shz); }

}  // namespace layouts
