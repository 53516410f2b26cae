#pragma once

#include "platform/AudioByteSource.h"

#include <cstdint>
#include <vector>

namespace platform
{

// Where the links after the first begin in a chained Ogg stream: the offsets of
// the beginning-of-stream pages whose serial number differs from the page
// before them. Reads the source through once from its start and leaves it at
// its start again.
std::vector<int64_t> laterOggLinks(AudioByteSource& source);

} // namespace platform
