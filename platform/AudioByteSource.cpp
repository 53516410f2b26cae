#include "platform/AudioByteSource.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace platform
{

size_t MemoryAudioSource::read(void* out, size_t bytes)
{
    const size_t count = std::min(bytes, mBytes.size() - std::min(mPosition, mBytes.size()));
    if (count > 0)
        std::memcpy(out, mBytes.data() + mPosition, count);
    mPosition += count;
    return count;
}

bool MemoryAudioSource::seek(int64_t offset, int whence)
{
    int64_t base = 0;
    if (whence == SEEK_CUR)
        base = int64_t(mPosition);
    else if (whence == SEEK_END)
        base = int64_t(mBytes.size());
    else if (whence != SEEK_SET)
        return false;
    const int64_t target = base + offset;
    if (target < 0 || target > int64_t(mBytes.size()))
        return false;
    mPosition = size_t(target);
    return true;
}

} // namespace platform
