#include <cstdio>
#include <string>

#include "meshplot/mesh_check.hpp"
#include "meshplot/mesh_files.hpp"
#include "meshplot/mesh_picture.hpp"
#include "plots/svg.hpp"

namespace {

const char help[] = R"(meshplot: draws the mesh of a plane finite-element model and checks it.

Run it without arguments in the folder where nodes and topo ran.
  reads   wnodes.out  node records (I6,3I3,2F12.6): number, flags, h, v; to the end of the file
          wtopo.out   element records (4I6,F8.2,I3): number, three nodes, angle, type code
  writes  mesh.svg    every element as its triangle (h to the right, v upwards), shaded by
                      its angle and type code, faulty elements outlined in red
  prints  the check: node and element counts, elements naming a node missing from the node
          table, elements whose nodes do not run clockwise (the order topo generates) or
          that enclose no area, and element numbers used twice

Exit status 0 for a clean mesh, 1 when the check found a fault (the picture is drawn all the
same). A node number given twice counts as a fault too; the later record is drawn. A missing
file or a malformed field stops the run with one line on standard error and exit status 1.
)";

void draw(records::run& r) {
    std::vector<meshplot::node_record> nodes = meshplot::read_nodes(r, "wnodes.out");
    std::vector<meshplot::element_record> elements = meshplot::read_elements(r, "wtopo.out");
    meshplot::mesh_check check = meshplot::check_mesh(nodes, elements);
    plots::write_file(r, "mesh.svg", meshplot::mesh_picture(nodes, elements, check));
    std::string report = meshplot::check_report(check, nodes, elements);
    std::fwrite(report.data(), 1, report.size(), stdout);
    if (std::fflush(stdout) != 0) r.fail("cannot write the check to standard output");
    // A mesh with faults is drawn, and the run ends with status 1.
    if (!check.clean()) throw records::run_ended{1};
}

}  // namespace

int main(int argc, char** argv) { return records::run_program("meshplot", argc, argv, help, draw); }
