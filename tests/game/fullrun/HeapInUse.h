#pragma once

#include <cstddef>

namespace fullrun
{

// Bytes the program holds from the heap right now: the sanitizer's own
// count where its allocator stands in for malloc, else the C library's.
size_t HeapInUse();

// The process's peak resident set so far, in bytes.
size_t PeakResident();

} // namespace fullrun
