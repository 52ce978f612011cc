// The format parser on any text, then a write statement that walks the
// parsed format with items of the kinds its descriptors ask for, through
// reversion.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/format.hpp"
#include "records/run.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        records::record_format format(text);
        static std::FILE* sink = std::fopen("/dev/null", "w");
        records::run r("fuzz", sink, nullptr);
        int status = r.execute([&](records::run& run) {
            run.open_or_stop(records::output_unit{6}, "/dev/null", records::file_status::unknown);
            auto items = format.items();
            run.begin_write(records::output_unit{6}, format);
            std::size_t at = 0;
            int transfers = 0;
            // Up to three passes through the reverted part.
            for (int pass = 0; pass < 3 && format.has_data(); ++pass) {
                for (; at < items.size() && transfers < 2000; ++at) {
                    const auto& item = items[at];
                    if (!item.is_data()) continue;
                    ++transfers;
                    if (item.kind == records::item_kind::integer) run.write_int(-12345);
                    else if (item.kind == records::item_kind::character) run.write_char('c');
                    else run.write_real(-1.5e-7f);
                }
                if (!format.reverts_to_data()) break;
                at = format.reversion_point();
            }
            run.end_write();
        });
        // Every item has the kind its descriptor asks for: an internal
        // fault is a fault of the layer.
        if (status == records::run::internal_fault_status) std::abort();
    } catch (const records::format_error&) {
    }
    return 0;
}
