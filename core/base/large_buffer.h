#pragma once

// Storage for the large arrays of a command. Fresh memory costs a page
// fault per page at its first touch, and an order-1000 system needs tens of
// megabytes; where the system offers transparent huge pages, large arrays
// ask for them, so a fault brings in 2 MB instead of 4 KB.

#include <cstddef>
#include <cstdint>
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
        const std::size_t rounded = roundedSize(bytes);
#if defined(__linux__)
        // Straight from the system rather than the heap: a freed array goes
        // back at once, where on the heap the arrays of one command, freed
        // and asked for again in other sizes and alignments, left holes that
        // raised its peak by half.
        const std::size_t spare = kHugePage;
        void* mapped = mmap(nullptr, rounded + spare, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
        if (aligned > start) munmap(mapped, aligned - start);
        if (const std::size_t tail = start + rounded + spare - (aligned + rounded); tail > 0)
            munmap(reinterpret_cast<void*>(aligned + rounded), tail);
        void* p = reinterpret_cast<void*>(aligned);
#if defined(MADV_HUGEPAGE)
        madvise(p, rounded, MADV_HUGEPAGE); // only a hint: failing changes nothing
#endif
#else
        void* p = std::aligned_alloc(kHugePage, rounded);
        if (p == nullptr) throw std::bad_alloc();
#endif
        return static_cast<T*>(p);
    }

    void deallocate(T* p, std::size_t count) noexcept {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kLargeBufferBytes) ::operator delete(p);
#if defined(__linux__)
        else munmap(p, roundedSize(bytes));
#else
        else std::free(p);
#endif
    }

    static std::size_t roundedSize(std::size_t bytes) {
        return (bytes + kHugePage - 1) / kHugePage * kHugePage;
    }

    template <class U> bool operator==(const LargeBufferAllocator<U>&) const noexcept {
        return true;
    }
};

} // namespace quorvex
