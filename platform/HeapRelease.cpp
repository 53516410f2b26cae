#include "platform/HeapRelease.h"

#include <malloc.h>

namespace platform
{

void keepLargeBlocksApart()
{
    mallopt(M_MMAP_THRESHOLD, int(kSeparateBlockBytes));
}

void releaseFreeHeap()
{
    malloc_trim(0);
}

} // namespace platform
