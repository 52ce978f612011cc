// The whole export: the model's three files and, when the folder has no job
// yet, the text of the job to write beside them.
#pragma once

#include <string>

#include "records/run.hpp"

namespace meshexport {

struct job_request {
    int fraction = 1;             // which of polar.out's volume fractions the plies take
    bool fraction_named = false;  // given by --fraction
};

// Reads the tables and writes mesh.vtu, mesh.msh and mesh.inp. When no
// job_file exists, `job` receives the job to write once the run has ended
// well: with the plies of polar's lamina when "polar.out" is in the folder,
// else with one isotropic material. --fraction without polar.out ends the
// run: the user asked for plies the folder cannot give.
void export_model(records::run& r, const job_request& request, std::string& job);

}  // namespace meshexport
