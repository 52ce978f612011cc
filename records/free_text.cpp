// Free text, such as a picture, written to an output unit line by line, each
// line one record.
#include "records/run_state.hpp"

namespace records {

void run::write_lines(int unit, std::string_view text) {
    unit_slot& u = slot(unit, "write");
    if (u.reading) internal("write to input file " + u.name);
    start_outputs();
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!u.output.write_record(line)) fail(write_failure(u));
    }
}

}  // namespace records
