#include "framework/resources/SoundDecoding.h"

#include <cstdio>

namespace Quib
{

int64_t RemainingBytes(platform::AudioByteSource& source)
{
    const int64_t position = source.tell();
    if (position < 0 || !source.seek(0, SEEK_END))
        return -1;
    const int64_t end = source.tell();
    if (!source.seek(position, SEEK_SET) || end < position)
        return -1;
    return end - position;
}

} // namespace Quib
