// Memory for the large tables of a model, a million records and more: where
// the system lends them (Linux's transparent huge pages), in pages of 2 MiB
// rather than 4 KiB. Memory is given to a process a page at a time, as it
// is first touched, and on a virtual machine each such page fault can cost
// more than reading the records that fill the page; a table of 24 MB then
// takes a dozen faults instead of six thousand. A smaller table is taken as
// any other memory.
#pragma once

#include <cstddef>
#include <new>
#include <thread>
#include <type_traits>
#include <vector>

namespace mesh_model {

// The size of a huge page, on which a large table starts.
inline constexpr std::size_t huge_page_bytes = std::size_t{1} << 21;

// `bytes` of memory, of zeros when `zeroed`; throws std::bad_alloc. Memory
// of at least huge_page_bytes starts on a huge page's boundary.
void* allocate_large(std::size_t bytes, bool zeroed = false);
// Gives back memory of allocate_large, with the size it was asked for.
void release_large(void* memory, std::size_t bytes) noexcept;

// Has the system hand out the pages of some large tables now, on a thread
// of its own, while the program's threads read the records that will fill
// them. A page is zeroed by the system when it is first written, and on a
// virtual machine whose host takes back the memory a guest frees, that can
// cost as much as reading the records that fill it: the table's first
// writes then find their pages ready. Memory below a huge page is left as
// it is. Waits for its thread when destroyed; where no thread can be
// started, nothing is done ahead.
class pages_ahead {
public:
    struct region {
        void* memory;
        std::size_t bytes;
    };
    explicit pages_ahead(std::vector<region> regions);
    pages_ahead(const pages_ahead&) = delete;
    pages_ahead& operator=(const pages_ahead&) = delete;
    ~pages_ahead();

private:
    std::thread thread_;
};

template <typename T>
struct large_table_allocator {
    using value_type = T;
    large_table_allocator() = default;
    template <typename U>
    large_table_allocator(const large_table_allocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(allocate_large(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { release_large(p, n * sizeof(T)); }
    template <typename U>
    bool operator==(const large_table_allocator<U>&) const noexcept {
        return true;
    }
};

// A vector for a table of records, in such memory.
template <typename T>
using large_table = std::vector<T, large_table_allocator<T>>;

// A fixed count of plain values in such memory, not set to any value first:
// for a table whose every place is written before it is read.
template <typename T>
class large_array {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    explicit large_array(std::size_t n) : data_(large_table_allocator<T>().allocate(n)), size_(n) {}
    large_array(const large_array&) = delete;
    large_array& operator=(const large_array&) = delete;
    ~large_array() { large_table_allocator<T>().deallocate(data_, size_); }
    T& operator[](std::size_t i) { return data_[i]; }
    const T* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    T* data_;
    std::size_t size_;
};

}  // namespace mesh_model
