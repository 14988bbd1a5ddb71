#pragma once

// Storage for the large arrays of a command. Fresh memory costs a page
// fault per page at its first touch, and an order-1000 system needs tens of
// megabytes; where the system offers transparent huge pages, large arrays
// ask for them, so a fault brings in 2 MB instead of 4 KB.

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quorvex {

/// An allocator that gives arrays of kLargeBufferBytes and more whole huge
/// pages, and smaller ones the ordinary way.
template <class T> struct LargeBufferAllocator {
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;
    static constexpr std::size_t kLargeBufferBytes = std::size_t{4} << 20;

    LargeBufferAllocator() = default;
    template <class U> LargeBufferAllocator(const LargeBufferAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kLargeBufferBytes) return static_cast<T*>(::operator new(bytes));
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* p = std::aligned_alloc(kHugePage, rounded);
        if (p == nullptr) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        madvise(p, rounded, MADV_HUGEPAGE); // only a hint: failing changes nothing
#endif
        return static_cast<T*>(p);
    }

    void deallocate(T* p, std::size_t count) noexcept {
        if (count * sizeof(T) < kLargeBufferBytes) ::operator delete(p);
        else std::free(p);
    }

    template <class U> bool operator==(const LargeBufferAllocator<U>&) const noexcept {
        return true;
    }
};

} // namespace quorvex
