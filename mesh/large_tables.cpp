#include "mesh/large_tables.hpp"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <system_error>

#include "records/interrupts.hpp"

namespace mesh_model {

namespace {

constexpr std::size_t huge_page = huge_page_bytes;

// What is mapped for a table: its size in whole pages of the system. The
// last huge page of a table, which it fills only in part, is taken whole
// when the table fills at least half of it: its part would take hundreds of
// small pages, each a fault of its own, for less than a megabyte saved.
// Less than half of one is left to small pages, so that no more memory is
// taken than the table needs.
std::size_t mapped_size(std::size_t bytes) {
    static const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    std::size_t size = (bytes + page - 1) / page * page;
    if (std::size_t last = size % huge_page; last >= huge_page / 2) size += huge_page - last;
    return size;
}

bool large(std::size_t bytes) { return bytes >= huge_page && bytes <= SIZE_MAX - 2 * huge_page; }

}  // namespace

void* allocate_large(std::size_t bytes, bool zeroed) {
    if (!large(bytes)) {
        void* memory = ::operator new(bytes);
        if (zeroed) std::memset(memory, 0, bytes);
        return memory;
    }
    // Mapped memory is zeros. Mapped with a huge page more than it needs,
    // then cut to start on a huge page's boundary, which a huge page needs.
    std::size_t size = mapped_size(bytes);
    void* mapped = ::mmap(nullptr, size + huge_page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    auto start = reinterpret_cast<std::uintptr_t>(mapped);
    std::uintptr_t aligned = (start + huge_page - 1) & ~std::uintptr_t{huge_page - 1};
    if (aligned > start) ::munmap(mapped, aligned - start);
    if (std::size_t tail = start + huge_page - aligned; tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + size), tail);
#ifdef MADV_HUGEPAGE
    // Only advice: without huge pages the memory is taken as usual.
    (void)::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

pages_ahead::pages_ahead(std::vector<region> regions) {
    try {
        records::interrupts_held held;  // the thread starts with them held
        thread_ = std::thread([regions = std::move(regions)] {
#ifdef MADV_POPULATE_WRITE
            for (const region& r : regions)
                if (large(r.bytes)) (void)::madvise(r.memory, r.bytes, MADV_POPULATE_WRITE);
#endif
        });
    } catch (const std::system_error&) {
    }
}

pages_ahead::~pages_ahead() {
    if (thread_.joinable()) thread_.join();
}

void release_large(void* memory, std::size_t bytes) noexcept {
    if (memory == nullptr) return;
    if (large(bytes))
        ::munmap(memory, mapped_size(bytes));
    else
        ::operator delete(memory);
}

}  // namespace mesh_model
