// Descriptors 0, 1 and 2 are standard input, output and error. A process
// started with one of them closed would hand that number to the first file
// it opens, and the pause's prompt or a diagnostic would then land in a data
// file. Each closed one is opened on /dev/null instead, before any data file.
#pragma once

namespace records {

void guard_standard_streams();

}  // namespace records
