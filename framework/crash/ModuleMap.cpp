#include "framework/crash/ModuleMap.h"

namespace Quib
{

namespace
{

struct MapLine
{
    uintptr_t mStart = 0;
    uintptr_t mEnd = 0;
    uintptr_t mOffset = 0;
    const char* mPath = "";
    size_t mPathLength = 0;
};

bool ParseHexField(const char*& at, const char* end, uintptr_t& value)
{
    value = 0;
    const char* begin = at;
    while (at < end)
    {
        const char c = *at;
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        value = value * 16 + uintptr_t(digit);
        ++at;
    }
    return at > begin;
}

void SkipField(const char*& at, const char* end)
{
    while (at < end && *at != ' ')
        ++at;
    while (at < end && *at == ' ')
        ++at;
}

// "start-end perms offset dev inode   path"
bool ParseLine(const char* line, const char* end, MapLine& out)
{
    const char* at = line;
    if (!ParseHexField(at, end, out.mStart) || at >= end || *at != '-')
        return false;
    ++at;
    if (!ParseHexField(at, end, out.mEnd))
        return false;
    SkipField(at, end);
    SkipField(at, end); // perms
    if (!ParseHexField(at, end, out.mOffset))
        return false;
    SkipField(at, end);
    SkipField(at, end); // dev
    SkipField(at, end); // inode
    out.mPath = at;
    out.mPathLength = size_t(end - at);
    return true;
}

bool SamePath(const MapLine& a, const char* path, size_t length)
{
    if (a.mPathLength != length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (a.mPath[i] != path[i])
            return false;
    return true;
}

template <typename Visit> void ForEachLine(const char* maps, size_t size, Visit visit)
{
    const char* end = maps + size;
    const char* line = maps;
    while (line < end)
    {
        const char* lineEnd = line;
        while (lineEnd < end && *lineEnd != '\n')
            ++lineEnd;
        MapLine parsed;
        if (ParseLine(line, lineEnd, parsed) && !visit(parsed))
            return;
        line = lineEnd + 1;
    }
}

} // namespace

MappedAddress FindMappedAddress(const char* maps, size_t size, uintptr_t address)
{
    MappedAddress result;
    MapLine holder;
    ForEachLine(maps, size,
                [&](const MapLine& line)
                {
                    if (address >= line.mStart && address < line.mEnd)
                    {
                        holder = line;
                        result.mFound = true;
                        return false;
                    }
                    return true;
                });
    if (!result.mFound)
        return result;
    result.mPath = holder.mPath;
    result.mPathLength = holder.mPathLength;
    result.mStart = holder.mStart;
    result.mEnd = holder.mEnd;
    result.mBase = holder.mStart - holder.mOffset;
    result.mSection = 1;
    if (holder.mPathLength == 0)
        return result;
    bool first = true;
    int index = 0;
    ForEachLine(maps, size,
                [&](const MapLine& line)
                {
                    if (!SamePath(line, holder.mPath, holder.mPathLength))
                        return true;
                    ++index;
                    if (first)
                    {
                        result.mBase = line.mStart - line.mOffset;
                        first = false;
                    }
                    if (line.mStart == holder.mStart)
                    {
                        result.mSection = index;
                        return false;
                    }
                    return true;
                });
    return result;
}

void ModuleFileName(const MappedAddress& mapped, const char*& name, size_t& length)
{
    size_t start = 0;
    for (size_t i = 0; i < mapped.mPathLength; ++i)
        if (mapped.mPath[i] == '/' || mapped.mPath[i] == '\\')
            start = i + 1;
    name = mapped.mPath + start;
    length = mapped.mPathLength - start;
}

} // namespace Quib
