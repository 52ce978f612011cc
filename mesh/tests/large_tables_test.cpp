// Memory for large tables: every byte asked for is there (zeros when asked),
// a large table starts on a huge page's boundary, and all that was mapped
// for it is given back, whatever part of its last huge page it fills.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "mesh/large_tables.hpp"

namespace {

using mesh_model::huge_page_bytes;

// The bytes of the process's address space that are mapped.
std::uint64_t mapped_bytes() {
    std::ifstream maps("/proc/self/maps");
    std::uint64_t total = 0;
    std::string line;
    while (std::getline(maps, line)) {
        std::istringstream range(line.substr(0, line.find(' ')));
        std::uint64_t from = 0, to = 0;
        char dash = 0;
        range >> std::hex >> from >> dash >> to;
        total += to - from;
    }
    return total;
}

TEST(LargeTables, EveryByteIsThereAndAllIsGivenBack) {
    const std::size_t huge = huge_page_bytes;
    // Small tables, a whole huge page, a last one filled by a little, by
    // just under and just over a half, and all but a byte.
    const std::size_t sizes[] = {1,        4096,         huge - 1,         huge,
                                 huge + 1, huge + 4096,  huge + huge / 2 - 1, huge + huge / 2,
                                 huge + huge / 2 + 1,   2 * huge - 1,     5 * huge + 12345};
    for (bool zeroed : {false, true}) {
        for (std::size_t size : sizes) {
            std::uint64_t before = mapped_bytes();
            auto* table = static_cast<unsigned char*>(mesh_model::allocate_large(size, zeroed));
            if (size >= huge) {
                EXPECT_EQ(reinterpret_cast<std::uintptr_t>(table) % huge, 0u) << size;
            }
            if (zeroed) {
                bool all_zero = true;
                for (std::size_t i = 0; i < size; ++i) all_zero = all_zero && table[i] == 0;
                EXPECT_TRUE(all_zero) << size;
            }
            std::memset(table, 0x5a, size);
            EXPECT_EQ(table[size - 1], 0x5a);
            mesh_model::release_large(table, size);
            // A large table is mapped for itself alone: all of it goes back.
            if (size >= huge) {
                EXPECT_EQ(mapped_bytes(), before) << size << (zeroed ? " zeroed" : "");
            }
        }
    }
}

// Pages handed out ahead on a thread of their own, while this thread
// writes the same table from its start: what is written stays, and what is
// not is zeros.
TEST(LargeTables, PagesHandedOutAheadKeepWhatIsWritten) {
    const std::size_t bytes = 5 * huge_page_bytes + 12345;
    auto* table = static_cast<unsigned char*>(mesh_model::allocate_large(bytes, true));
    std::size_t written = bytes / 3;
    {
        mesh_model::pages_ahead ahead({{table, bytes}, {table + bytes, 0}});
        for (std::size_t i = 0; i < written; ++i) table[i] = static_cast<unsigned char>(i % 251 + 1);
    }
    bool kept = true, zeros = true;
    for (std::size_t i = 0; i < written; ++i) kept = kept && table[i] == static_cast<unsigned char>(i % 251 + 1);
    for (std::size_t i = written; i < bytes; ++i) zeros = zeros && table[i] == 0;
    EXPECT_TRUE(kept);
    EXPECT_TRUE(zeros);
    mesh_model::release_large(table, bytes);
}

}  // namespace
