#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Quib
{
class MemoryImage;
}

namespace testsupport
{

// A small seeded generator whose sequence is the same with every compiler and library,
// so that pinned checksums stay valid.
class TestRandom
{
public:
    explicit TestRandom(uint64_t seed) : mState(seed) {}

    uint32_t Next();
    // Uniform in [low, high], both included.
    int32_t Range(int32_t low, int32_t high);

private:
    uint64_t mState;
};

// How often the alpha byte is 0 or 255: blitters take their short cuts there.
enum class AlphaMix
{
    Uniform,  // every alpha equally likely
    Extremes, // about 40% transparent, 40% opaque, 20% in between
    Opaque,   // alpha 255 everywhere
    Runs,     // transparent, opaque and translucent stretches of 1 to 40 pixels, as in sprites
};

std::vector<uint32_t> RandomPixels(uint64_t seed, int width, int height, AlphaMix mix = AlphaMix::Extremes);

// Gives the image the size and the random pixels; the caches and flags follow as after
// any SetBits.
void FillRandom(Quib::MemoryImage& image, uint64_t seed, int width, int height,
                AlphaMix mix = AlphaMix::Extremes);

// FNV-1a over the pixel words, for pinning the result of a long sweep.
uint64_t Checksum(const uint32_t* pixels, size_t count, uint64_t hash = 0xCBF29CE484222325ull);

} // namespace testsupport
