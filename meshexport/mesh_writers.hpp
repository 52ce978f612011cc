// The model in the formats of the finite-element tools: a VTK XML
// unstructured grid, a Gmsh 4.1 ASCII mesh and a CalculiX input deck
// fragment. Each writer writes its whole file on an open output unit.
#pragma once

#include "mesh/model_reader.hpp"
#include "records/run.hpp"

namespace meshexport {

using mesh_model::element_record;
using mesh_model::mesh;
using mesh_model::node_record;

// Points (h, v, 0), triangles, point data node/H0V12/H0/V12, cell data
// element/angle/type and, with stresses, SH/SZ/SHZ.
void write_vtu(records::run& r, records::output_unit unit, const mesh& m);

// One surface entity and one named physical group "TYPE<k>" per type code.
void write_msh(records::run& r, records::output_unit unit, const mesh& m);

// *NODE (NSET=NALL), *ELEMENT TYPE=CPS3 (ELSET=EALL), an element set
// TYPE<k> per type code, the node sets H0V12, H0 and V12 of the flags and
// BOTTOM, the nodes at the smallest v: the model alone, which job.inp includes.
void write_inp(records::run& r, records::output_unit unit, const mesh& m);

// The files the program writes, in the order of their units.
inline constexpr const char* mesh_files[] = {"mesh.vtu", "mesh.msh", "mesh.inp"};

// The whole program's run: reads the tables and writes the three files,
// which appear together, whole, when the run ends well.
void export_mesh(records::run& r);

}  // namespace meshexport
