// Free text, such as a picture, written to an output unit line by line, each
// line one record.
#include "records/run_state.hpp"

namespace records {

void run::write_lines(output_unit unit, std::string_view text) {
    unit_slot& u = slot(unit.number, "write");
    if (u.reading) internal("write to input file " + u.name);
    start_outputs();
    // The whole lines go as one block; a last line without its line feed
    // gets one.
    std::size_t whole = text.rfind('\n') + 1;  // 0 when there is none
    if (!u.output.write_lines(text.substr(0, whole))) fail(write_failure(u));
    if (whole < text.size() && !u.output.write_record(text.substr(whole))) fail(write_failure(u));
}

void run::write_bytes(output_unit unit, std::string_view bytes) {
    unit_slot& u = slot(unit.number, "write");
    if (u.reading) internal("write to input file " + u.name);
    if (!u.replaced.active()) internal("bytes written to " + u.name + ", which is not replaced whole");
    start_outputs();
    if (!u.output.write_bytes(bytes)) fail(write_failure(u));
}

}  // namespace records
