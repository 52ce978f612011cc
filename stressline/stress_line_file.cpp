#include "stressline/stress_line_file.hpp"

#include <filesystem>
#include <string>

#include "layouts/stress_line.hpp"
#include "mesh/model_reader.hpp"
#include "stressline/line_stresses.hpp"
#include "stressline/units.hpp"

namespace stressline {

void write_stress_line(records::run& r, const line& l, std::int32_t& outside) {
    mesh_model::mesh m = mesh_model::read_mesh(r);
    // The reader takes the stresses when they are present; here they must be.
    std::error_code error;
    if (m.stresses.size() != m.elements.size() || !std::filesystem::exists(layouts::element_stresses_file, error)) {
        r.open_or_stop(mesh_model::units::wstresses_out, layouts::element_stresses_file);
        r.fail(std::string(layouts::element_stresses_file) + " changed while it was read");
    }
    std::vector<line_point> points = stresses_along(m, l);
    r.open_or_stop(units::wstressline_out, layouts::stress_line_file, records::file_status::replaced);
    outside = 0;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const line_point& p = points[k];
        if (p.elements == 0) {
            ++outside;
            continue;
        }
        double n = p.elements;
        layouts::line_point_record rec{static_cast<std::int32_t>(k + 1), p.distance, p.h, p.v,
                                       static_cast<float>(p.sh / n), static_cast<float>(p.sz / n),
                                       static_cast<float>(p.shz / n)};
        layouts::write_record(r, units::wstressline_out, rec);
    }
}

}  // namespace stressline
