// The job beside the model: "job.inp" includes mesh.inp and holds everything
// else CalculiX is told (material, section, step, supports, loads, output).
// It is the user's file: written once, when no file of that name exists,
// and never touched again, while mesh.inp is written anew by every export.
#pragma once

#include <string_view>

namespace meshexport {

inline constexpr const char* job_file = "job.inp";

// Writes job_file with `job_text` whole when no file of that name exists
// (a link included, even one pointing nowhere), and leaves one that exists
// as it is. The job goes to a new temporary file first, which is then
// linked under the name only when the name is still free, so that no half
// job ever appears.
// Returns the exit status: 0, or 1 after one line on standard error saying
// why the job could not be written.
int write_job_once(std::string_view program, std::string_view job_text);

}  // namespace meshexport
