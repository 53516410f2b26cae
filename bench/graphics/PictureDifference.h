#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

// The picture checks' measure: the largest difference of any of the lowest `channels`
// bytes of any pixel between our picture and the peer's, of the same size.
inline int LargestDifference(const uint32_t* ours, const std::vector<uint32_t>& peer, int channels = 4)
{
    int largest = 0;
    for (size_t i = 0; i < peer.size(); ++i)
        for (int shift = 0; shift < 8 * channels; shift += 8)
            largest =
                std::max(largest, std::abs(int((ours[i] >> shift) & 0xFF) - int((peer[i] >> shift) & 0xFF)));
    return largest;
}
