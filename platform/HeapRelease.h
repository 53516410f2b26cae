#pragma once

#include <cstddef>

namespace platform
{

// Blocks of at least this size (a picture's pixels, a decoded sound) are
// mapped from the system one by one rather than carved out of the heap.
constexpr size_t kSeparateBlockBytes = 256 * 1024;

// From now on, blocks of kSeparateBlockBytes and more go to the system and
// back on their own, so that freeing a picture hands its pages back at once.
// Left alone, the C library raises that bound to the size of each such block
// freed, and the pictures loaded later are carved out of the heap, where the
// holes they leave when freed stay resident.
void keepLargeBlocksApart();

// Hands the pages of the heap's free memory back to the system; nothing the
// program holds moves. Costs a walk over the heap's free lists.
void releaseFreeHeap();

} // namespace platform
