// Feeds a server's reply to the reply reader in pieces whose sizes come from
// the input itself, as reads off a socket would cut it.
#include "framework/crash/HttpReplyReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t piece = 1 + data[0] % 64;
    Quib::HttpReplyReader reader;
    for (size_t at = 1; at < size; at += piece)
    {
        const size_t count = size - at < piece ? size - at : piece;
        if (reader.Feed(reinterpret_cast<const char*>(data + at), count) !=
            Quib::HttpReplyReader::State::Reading)
            break;
    }
    if (reader.GetContent().size() > Quib::HttpReplyReader::kMaxContent)
        __builtin_trap();
    return 0;
}
