#pragma once
// Memory that the operating system hands out zeroed: large blocks straight
// from an anonymous mapping (asking for transparent huge pages, so that the
// first touch of each 2 MB costs one page fault instead of 512), small ones
// from calloc. Nothing clears it a second time: the grids are dimensioned
// zero-filled without writing a single element, and their memory is touched
// first by the sampling that fills it.

#include <cstddef>
#include <new>
#include <utility>

namespace marn {

// Zero-filled memory of at least bytes bytes; throws std::bad_alloc.
void* AllocateZeroed(std::size_t bytes);
// Gives back what AllocateZeroed(bytes) returned.
void FreeZeroed(void* memory, std::size_t bytes) noexcept;

// A standard allocator on AllocateZeroed whose value-initialisation writes
// nothing (the memory is zero already, and 0, 0.0 and false are all-zero
// bits): a vector sized with resize() on fresh storage is zero-filled for free.
template <typename T>
struct ZeroedAllocator {
    using value_type = T;
    ZeroedAllocator() = default;
    template <typename U>
    ZeroedAllocator(const ZeroedAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateZeroed(n * sizeof(T))); }
    void deallocate(T* memory, std::size_t n) noexcept { FreeZeroed(memory, n * sizeof(T)); }
    template <typename U>
    void construct(U*) noexcept
    {
    }
    template <typename U, typename... Args>
    void construct(U* at, Args&&... args)
    {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
    template <typename U>
    bool operator==(const ZeroedAllocator<U>&) const noexcept
    {
        return true;
    }
};

} // namespace marn
