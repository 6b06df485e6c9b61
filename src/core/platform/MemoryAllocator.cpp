#include "core/platform/MemoryAllocator.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void keepLargeAllocationsInProcess()
{
#if defined(__GLIBC__)
    // Blocks up to the largest threshold the library accepts come from the heap, and up to 128 MB of free memory at
    // its top stays there instead of being given back after every free.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}
