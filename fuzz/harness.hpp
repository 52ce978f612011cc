// Shared pieces of the fuzz targets: running a whole program on one input in
// a scratch folder of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "records/run.hpp"

namespace fuzz {

// Writes `data` as the program's input file in a scratch folder (made once,
// and made the working directory), with every output file a link to
// /dev/null so that large outputs cost no disk, then runs the program with
// its diagnostics discarded and the operator's input at its end.
// A run that ends on an internal fault aborts: a finding.
void run_program_on(const std::string& program, const std::string& input_name,
                    std::initializer_list<const char*> outputs, const std::uint8_t* data, std::size_t size,
                    const std::function<void(records::run&)>& body);

// The same for a program with several input files: the fuzz input is split
// at each byte 0x1E (record separator) into the files in order; files left
// without a part are empty.
void run_program_on(const std::string& program, std::initializer_list<const char*> input_names,
                    std::initializer_list<const char*> outputs, const std::uint8_t* data, std::size_t size,
                    const std::function<void(records::run&)>& body);

}  // namespace fuzz
