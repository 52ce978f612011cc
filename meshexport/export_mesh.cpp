#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "layouts/lamina_report.hpp"
#include "meshexport/export_model.hpp"
#include "meshexport/job_file.hpp"
#include "meshexport/job_text.hpp"
#include "meshexport/layer_angles.hpp"
#include "meshexport/mesh_writers.hpp"
#include "meshexport/units.hpp"
#include "meshexport/writer_lines.hpp"
#include "records/side_by_side.hpp"

namespace meshexport {

void export_model(records::run& r, const job_request& request, std::string& job) {
    mesh m = mesh_model::read_mesh(r);
    // The job is the user's once written: polar.out is read only for a job
    // still to be written.
    struct stat status;
    bool job_missing = ::lstat(job_file, &status) != 0 && errno == ENOENT;
    std::error_code error;
    bool has_polar = std::filesystem::exists(layouts::polar_report_file, error);
    if (request.fraction_named && !has_polar)
        r.fail("--fraction takes a volume fraction of polar.out, which is not in this folder");
    lamina plies;
    if (job_missing && has_polar) plies = read_lamina(r, units::polar_out, request.fraction);

    const records::output_unit output_units[] = {units::mesh_vtu, units::mesh_msh, units::mesh_inp};
    for (int k = 0; k < 3; ++k) r.open_or_stop(output_units[k], mesh_files[k], records::file_status::replaced);
    // mesh.inp is written on the helper thread while this one writes the
    // other two: each file is its own, and the model is only read.
    records::side_by_side([&] { write_inp(r, units::mesh_inp, m); },
                          [&] {
                              write_vtu(r, units::mesh_vtu, m);
                              write_msh(r, units::mesh_msh, m);
                          });
    if (job_missing) job = job_text(distinct_keys(m, angle_of), has_polar ? &plies : nullptr);
}

void export_mesh(records::run& r) {
    std::string job;
    export_model(r, {}, job);
}

}  // namespace meshexport
