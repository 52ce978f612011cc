// Outputs that appear whole or not at all: a run writes each output under a
// temporary name in the same folder, and only a successful run renames them
// to their own names.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace meshexport {

// The temporary name of an output: "mesh.vtu" is written as "mesh.vtu.part".
std::string part_name(std::string_view name);

// After a run that ended with `status`: on 0 renames every output's part
// file to its name, else removes the part files. Returns the exit status: 1
// (with one line on standard error) when a rename failed.
int replace_files(std::string_view program, int status, std::initializer_list<std::string_view> names);

}  // namespace meshexport
