// Asking the kernel for large pages under big pictures' memory.
#pragma once

#include <cstddef>

// Marks the whole 2 MiB pages inside [data, data + bytes) for large pages, so
// a picture's first writes take one page fault per 2 MiB instead of one per
// 4 KiB. Advice only: nothing changes where the kernel cannot or will not.
void AdviseHugePages(void* data, std::size_t bytes);
