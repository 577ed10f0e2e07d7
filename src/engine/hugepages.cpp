// Large-page advice for big pictures' memory.
#include "engine/hugepages.h"

#include <sys/mman.h>

#include <cstdint>

void AdviseHugePages(void* data, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    const std::uintptr_t huge = std::uintptr_t(2) << 20;
    const std::uintptr_t first = (std::uintptr_t(data) + huge - 1) & ~(huge - 1);
    const std::uintptr_t end = (std::uintptr_t(data) + bytes) & ~(huge - 1);
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}
