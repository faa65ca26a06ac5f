#include "core/ZeroedMemory.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace marn {

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t value, std::size_t step)
{
    return (value + step - 1) / step * step;
}

} // namespace

void* AllocateZeroed(std::size_t bytes)
{
    if (bytes < HugePage) {
        void* memory = std::calloc(bytes == 0 ? 1 : bytes, 1);
        if (memory == nullptr)
            throw std::bad_alloc();
        return memory;
    }
    // One huge page more than needed, so that the block can start on a huge
    // page boundary; the slack before and after it is given back at once.
    const std::size_t length = RoundUp(bytes, HugePage);
    void* mapped = ::mmap(nullptr, length + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = RoundUp(start, HugePage);
    const std::uintptr_t end = start + length + HugePage;
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    if (end > aligned + length)
        ::munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
    ::madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void FreeZeroed(void* memory, std::size_t bytes) noexcept
{
    if (bytes < HugePage)
        std::free(memory);
    else
        ::munmap(memory, RoundUp(bytes, HugePage));
}

} // namespace marn
