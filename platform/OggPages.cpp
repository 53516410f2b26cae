#include "platform/OggPages.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace platform
{
namespace
{

constexpr size_t kPageHeader = 27;
constexpr size_t kChunk = 64 * 1024;
constexpr uint8_t kBeginningOfStream = 0x02;

uint32_t serialOf(const uint8_t* page)
{
    return uint32_t(page[14]) | uint32_t(page[15]) << 8 | uint32_t(page[16]) << 16 | uint32_t(page[17]) << 24;
}

// The page checksum: CRC-32 with polynomial 0x04C11DB7, most significant bit
// first, over the page with its checksum field taken as zero.
bool checksumHolds(const uint8_t* page, size_t length)
{
    static const auto table = []
    {
        std::array<uint32_t, 256> entries{};
        for (uint32_t i = 0; i < 256; ++i)
        {
            uint32_t r = i << 24;
            for (int bit = 0; bit < 8; ++bit)
                r = (r & 0x80000000u) != 0 ? (r << 1) ^ 0x04C11DB7u : r << 1;
            entries[i] = r;
        }
        return entries;
    }();
    uint32_t crc = 0;
    for (size_t i = 0; i < length; ++i)
    {
        const uint8_t byte = i >= 22 && i < 26 ? 0 : page[i];
        crc = (crc << 8) ^ table[((crc >> 24) ^ byte) & 0xFF];
    }
    const uint32_t stored =
        uint32_t(page[22]) | uint32_t(page[23]) << 8 | uint32_t(page[24]) << 16 | uint32_t(page[25]) << 24;
    return crc == stored;
}

} // namespace

std::vector<int64_t> laterOggLinks(AudioByteSource& source)
{
    std::vector<int64_t> links;
    if (!source.seek(0, SEEK_SET))
        return links;
    static constexpr char kCapture[] = "OggS";
    std::vector<uint8_t> chunk(kChunk);
    std::vector<uint8_t> pending; // bytes not yet looked at, from offset `start` on
    int64_t start = 0;
    bool seenPage = false;
    uint32_t lastSerial = 0;
    for (size_t got; (got = source.read(chunk.data(), chunk.size())) > 0;)
    {
        pending.insert(pending.end(), chunk.begin(), chunk.begin() + std::ptrdiff_t(got));
        size_t at = 0;
        for (;;)
        {
            const auto found =
                std::search(pending.begin() + std::ptrdiff_t(at), pending.end(), kCapture, kCapture + 4);
            if (found == pending.end())
            {
                // Keep what may be the start of a capture pattern cut by the chunk's end.
                at = std::max(at, pending.size() - std::min<size_t>(pending.size(), 3));
                break;
            }
            at = size_t(found - pending.begin());
            const uint8_t* page = pending.data() + at;
            const size_t available = pending.size() - at;
            if (available < kPageHeader || available < kPageHeader + page[26])
                break;
            const size_t segments = page[26];
            size_t length = kPageHeader + segments;
            for (size_t i = 0; i < segments; ++i)
                length += page[kPageHeader + i];
            if (available < length)
                break;
            // A page that fails its checksum is no page: the search goes on
            // from the next byte, as the decoder's does.
            if (!checksumHolds(page, length))
            {
                ++at;
                continue;
            }
            const uint32_t serial = serialOf(page);
            if ((page[5] & kBeginningOfStream) != 0 && seenPage && serial != lastSerial)
                links.push_back(start + int64_t(at));
            seenPage = true;
            lastSerial = serial;
            at += length;
        }
        pending.erase(pending.begin(), pending.begin() + std::ptrdiff_t(at));
        start += int64_t(at);
    }
    source.seek(0, SEEK_SET);
    return links;
}

} // namespace platform
