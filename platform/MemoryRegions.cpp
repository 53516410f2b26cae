#include "platform/MemoryRegions.h"

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/mman.h>
#include <unistd.h>

namespace platform
{
namespace
{

int protectionOf(const MemoryRegion& region)
{
    return (region.readable ? PROT_READ : 0) | (region.writable ? PROT_WRITE : 0) |
           (region.executable ? PROT_EXEC : 0);
}

} // namespace

std::vector<MemoryRegion> memoryRegions()
{
    std::vector<MemoryRegion> regions;
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
    {
        // start-end perms offset dev inode [path]
        std::istringstream fields(line);
        std::string range, perms, offset, device, inode;
        if (!(fields >> range >> perms >> offset >> device >> inode))
            continue;
        const size_t dash = range.find('-');
        if (dash == std::string::npos || perms.size() < 3)
            continue;
        MemoryRegion region;
        region.start = uintptr_t(std::stoull(range.substr(0, dash), nullptr, 16));
        region.end = uintptr_t(std::stoull(range.substr(dash + 1), nullptr, 16));
        region.readable = perms[0] == 'r';
        region.writable = perms[1] == 'w';
        region.executable = perms[2] == 'x';
        std::getline(fields >> std::ws, region.path);
        regions.push_back(std::move(region));
    }
    return regions;
}

std::string programImagePath()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
    return length > 0 ? std::string(path, size_t(length)) : std::string();
}

bool writeProtectedBytes(void* address, size_t length, const std::function<void()>& write)
{
    const auto pageSize = uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto first = uintptr_t(address);
    if (length == 0 || first + length < first)
        return false;
    const uintptr_t pageStart = first & ~(pageSize - 1);
    const uintptr_t pageEnd = (first + length + pageSize - 1) & ~(pageSize - 1);

    // Each page keeps the protection it had; every page must be mapped.
    std::vector<std::pair<uintptr_t, int>> pages;
    const std::vector<MemoryRegion> regions = memoryRegions();
    for (uintptr_t page = pageStart; page < pageEnd; page += pageSize)
    {
        const MemoryRegion* owner = nullptr;
        for (const MemoryRegion& region : regions)
            if (page >= region.start && page < region.end)
                owner = &region;
        if (!owner)
            return false;
        pages.emplace_back(page, protectionOf(*owner));
    }
    for (const auto& [page, protection] : pages)
    {
        if (::mprotect(reinterpret_cast<void*>(page), pageSize, protection | PROT_READ | PROT_WRITE) != 0)
        {
            for (const auto& [done, old] : pages)
            {
                if (done == page)
                    break;
                ::mprotect(reinterpret_cast<void*>(done), pageSize, old);
            }
            return false;
        }
    }
    write();
    for (const auto& [page, protection] : pages)
        ::mprotect(reinterpret_cast<void*>(page), pageSize, protection);
    return true;
}

} // namespace platform
