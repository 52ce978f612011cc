// Outputs that appear whole or not at all. Such an output is written to a
// temporary file of its own in the same folder, created new, so that no
// link, no stale temporary of an earlier run and no file of another run is
// ever opened; only a run that ends well renames its temporaries to their
// names, all of them together, and any other end removes them (an interrupt
// too: whole_records.hpp). Two runs in one folder each publish whole files,
// and the last rename wins.
#pragma once

#include <atomic>
#include <span>
#include <string>

#include "records/files.hpp"

namespace records {

class replacement {
public:
    replacement() = default;
    replacement(const replacement&) = delete;
    replacement& operator=(const replacement&) = delete;
    ~replacement() { discard(); }

    // Checks that `target` may be replaced and creates its temporary on
    // `file`, named "TARGET.part.PID" (or with a further ".N" while that name
    // is taken), with the permission bits of `target` when it exists. Returns
    // 0, or why not: EISDIR for a directory, the reason opening `target` for
    // writing would fail, or the reason the temporary could not be created.
    int begin(output_file& file, const std::string& target);

    // Removes the temporary, unless it was put in place.
    void discard();

    bool active() const { return !temporary_.empty(); }
    const std::string& target() const { return target_; }

    // Puts the temporary of every replacement in place under its target's
    // name. Every target is checked again first: when one is refused, or an
    // interrupt is waiting, none is renamed. Returns 0, or the reason the
    // target at `failed` was not replaced. The temporaries that were not put
    // in place are removed, and a waiting interrupt then ends the process.
    static int put_in_place(std::span<replacement* const> all, std::size_t& failed);

private:
    std::string target_;
    std::string temporary_;
    std::atomic<const char*>* watch_ = nullptr;
};

// Why `target` cannot be replaced (see replacement::begin); 0 when it can.
int replacement_refused(const std::string& target);

}  // namespace records
