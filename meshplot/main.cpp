#include <cstdio>
#include <string>
#include <string_view>

#include "layouts/mesh_tables.hpp"
#include "meshplot/mesh_check.hpp"
#include "meshplot/mesh_files.hpp"
#include "meshplot/mesh_picture.hpp"
#include "plots/svg.hpp"

namespace {

const char help[] = R"(Usage: meshplot [--numbers | --help | --version]
Draws the mesh that nodes and topo wrote, and checks it.

Runs without arguments in the folder where nodes and topo ran, and draws the
mesh with its nodes marked while it checks it. With --numbers it also writes
every node and element number into the picture, so that a record can be
traced to its triangle; past 3000 elements the numbers are left out, and a
note under the plot says so.

A node number given twice counts as a fault too; the later record is drawn.
The picture is drawn as it is built, so a mesh of any size needs little
memory; a faulty mesh is drawn all the same, and after a fault in a file
mesh.svg is left as it was.

Reads:
  wnodes.out  node records (I6,3I3,2F12.6): number, flags, h, v; to the end
              of the file (blank lines are skipped; a record that ends before
              its last field, or a last line without its line feed, is taken
              for a file cut off and refused)
  wtopo.out   element records (4I6,F8.2,I3): number, three nodes, angle, type
              code; to the end of the file likewise
Writes:
  mesh.svg    every element as its triangle (h to the right, v upwards, at
              one scale; a mesh too slender for that is widened, and a note
              says how many times larger the widened axis is drawn), shaded
              by its angle and type code, every node as a dot, the faulty
              elements outlined in red over the others with their numbers;
              the legend lists only what is drawn
  standard output  the check: node and element counts, elements naming a node
              missing from the node table, elements whose nodes do not run
              clockwise (the order topo generates) or that enclose no area,
              element numbers used twice

)";

// Why a run ends with exit status 1, for the help text.
const char stopped[] = R"(the check found a fault in the mesh (the check says which), or the run
     stopped on a fault: a missing input, a malformed field or a failed write;
     one line on standard error then says what and where
)";

void draw(records::run& r, const meshplot::picture_options& options) {
    const meshplot::node_table table = meshplot::read_nodes(r, layouts::node_table_file);
    const meshplot::element_table elements = meshplot::read_elements(r, layouts::element_table_file);
    meshplot::mesh_check check = meshplot::check_mesh(table, elements);
    plots::svg_file picture(r, "mesh.svg");
    meshplot::write_mesh_picture(table, elements, check, options,
                                 [&](std::string_view block) { picture.write(block); });
    picture.close();
    std::string report = meshplot::check_report(check, table, elements);
    std::fwrite(report.data(), 1, report.size(), stdout);
    if (std::fflush(stdout) != 0) r.fail("cannot write the check to standard output");
    // A mesh with faults is drawn, and the run ends with status 1.
    if (!check.clean()) r.stop_run(1);
}

}  // namespace

int main(int argc, char** argv) {
    meshplot::picture_options options;
    // "--numbers" alone runs as no argument does, with the numbers drawn;
    // every other argument goes to the shell, which knows --help and
    // --version and refuses the rest.
    char* alone[] = {argv[0], nullptr};
    if (argc == 2 && std::string_view(argv[1]) == "--numbers") {
        options.numbers = true;
        argc = 1;
        argv = alone;
    }
    return records::run_program("meshplot", argc, argv, help, [&](records::run& r) { draw(r, options); }, stopped);
}
