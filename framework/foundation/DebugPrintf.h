#pragma once

namespace Quib
{

// The system's only diagnostic log: printf-style text to standard error.
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace Quib
