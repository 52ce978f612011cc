#include "meshexport/replace_files.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace meshexport {

// Built by append: GCC 12 under link-time optimisation warns falsely of an
// overflow when `+` builds it.
std::string part_name(std::string_view name) {
    std::string part(name);
    part.append(".part");
    return part;
}

int replace_files(std::string_view program, int status, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
        std::string part = part_name(name);
        if (status == 0 && std::rename(part.c_str(), std::string(name).c_str()) != 0) {
            std::fprintf(stderr, "%.*s: cannot write %.*s: %s\n", static_cast<int>(program.size()), program.data(),
                         static_cast<int>(name.size()), name.data(), std::strerror(errno));
            status = 1;
        }
        if (status != 0) std::remove(part.c_str());
    }
    return status;
}

}  // namespace meshexport
