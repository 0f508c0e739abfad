#pragma once
// Large blocks (a loaded file, the row list) are written page by page right after they are
// allocated. Faulting the pages in with one call instead of one trap per page saves a good
// part of the load time of a large file.
#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

inline void PrefaultLargeBlock(void* p, std::size_t size)
{
#if defined(__linux__)
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23 // Linux 5.14; older kernels refuse it and fault as usual
#endif
    constexpr std::size_t kPage = 4096;
    if (size < (std::size_t{4} << 20))
        return;
    auto begin = (reinterpret_cast<std::uintptr_t>(p) + kPage - 1) & ~(kPage - 1);
    auto end = (reinterpret_cast<std::uintptr_t>(p) + size) & ~(kPage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)p;
    (void)size;
#endif
}
