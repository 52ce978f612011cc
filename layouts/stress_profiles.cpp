#include "layouts/stress_profiles.hpp"

namespace layouts {

void write_zh(records::run& r, int unit, const zh_record& rec) {
    r.write(unit, zh_format, rec.i, rec.esavgz, rec.zdh, rec.esavghz);
}

void read_zh(records::run& r, int unit, zh_record& rec) { r.read(unit, zh_format, rec.i, rec.esavgz, rec.zdh, rec.esavghz); }

void write_six_point(records::run& r, int unit, const six_point_record& rec) {
    r.write(unit, six_point_format, rec.j, rec.ydb, rec.saz);
}

void read_six_point(records::run& r, int unit, six_point_record& rec) {
    r.read(unit, six_point_format, rec.j, rec.ydb, rec.saz);
}

void write_yb(records::run& r, int unit, const yb_record& rec) {
    r.write(unit, yb_format, rec.i, rec.ydb, rec.sazm, rec.sazt);
}

void read_yb(records::run& r, int unit, yb_record& rec) { r.read(unit, yb_format, rec.i, rec.ydb, rec.sazm, rec.sazt); }

}  // namespace layouts
