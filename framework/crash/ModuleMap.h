#pragma once

#include <cstddef>
#include <cstdint>

namespace Quib
{

// Where an address lies in the process's memory map (the text of
// /proc/self/maps, read before or during a crash), found without allocating.
struct MappedAddress
{
    bool mFound = false;
    const char* mPath = ""; // points into the map text; not terminated
    size_t mPathLength = 0;
    uintptr_t mStart = 0; // the mapping that holds the address
    uintptr_t mEnd = 0;
    uintptr_t mBase = 0; // where the file it maps was loaded
    int mSection = 0;    // 1-based index of the mapping among the file's
};

MappedAddress FindMappedAddress(const char* maps, size_t size, uintptr_t address);

// The module's file name: the path after its last "/".
void ModuleFileName(const MappedAddress& mapped, const char*& name, size_t& length);

} // namespace Quib
