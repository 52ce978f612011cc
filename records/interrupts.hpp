// How a run meets signals. SIGINT, SIGTERM and SIGHUP cut every output file
// back to its last whole record and then end the process by the same signal,
// so that whoever started it sees the interrupt; a signal the process was
// started with ignored stays ignored. SIGPIPE and SIGXFSZ are ignored: a write
// to a pipe whose reader has gone fails with EPIPE, and one past the file size
// limit (ulimit -f) with EFBIG, and each is reported like any failed write
// rather than ending the process with a torn record.
#pragma once

namespace records {

void handle_interrupts();

}  // namespace records
