#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform
{

// One mapping of the process's address space.
struct MemoryRegion
{
    uintptr_t start = 0;
    uintptr_t end = 0; // one past the last byte
    bool readable = false;
    bool writable = false;
    bool executable = false;
    std::string path; // the mapped file; empty for anonymous memory
};

// The process's mappings in address order.
std::vector<MemoryRegion> memoryRegions();

// The file of the running program.
std::string programImagePath();

// Runs `write` with the bytes made writable, then gives their pages back the
// protection they had. False (and `write` not run) when the bytes do not lie
// in mapped memory or their protection cannot be changed.
bool writeProtectedBytes(void* address, size_t length, const std::function<void()>& write);

} // namespace platform
