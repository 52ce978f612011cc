# The programs of the suite, one a line: the folder and program name, then
# what the program does in one line. The build, the install, the manual
# pages and the umbrella command's list all take the programs from here, so
# a new program is one more line (its folder defines the target of its name
# and the library <name>_lib that holds its logic). The fuzz build and the
# tests read this list too.
# The second line of a program's --help says the same as a sentence; the
# build of the manual pages stops when the two differ.
set(SUITE_PROGRAMS
  "polar        | computes the elastic properties of a fibre composite"
  "nodes        | writes the node table of a plane finite-element model"
  "topo         | writes the element table of a layered plane model"
  "stressmean   | condenses a solver's element stresses into stress profiles"
  "shift        | rewrites connectivity lines as slash lines, nodes plus 60"
  "polarplot    | draws the off-axis properties that polar wrote"
  "meshplot     | draws the mesh that nodes and topo wrote, and checks it"
  "profileplot  | draws the stress profiles that stressmean wrote"
  "meshexport   | writes the model for ParaView, Gmsh and CalculiX, and a job"
  "stressimport | brings CalculiX's element stresses back as wstresses.out"
  "stressline   | writes the stresses along a line through the model"
)
