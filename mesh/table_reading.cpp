#include "mesh/table_reading.hpp"

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace mesh_model {

std::size_t most_records(std::string_view file, std::size_t record_bytes) {
    std::error_code error;
    std::filesystem::path path(file);
    if (!std::filesystem::is_regular_file(path, error)) return 0;
    std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return 0;
    std::uintmax_t most = size / record_bytes;
    return most > SIZE_MAX ? SIZE_MAX : static_cast<std::size_t>(most);
}

}  // namespace mesh_model
