#include "tests/support/RandomImage.h"

#include "framework/graphics/MemoryImage.h"

namespace testsupport
{

uint32_t TestRandom::Next()
{
    // splitmix64
    uint64_t z = (mState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
}

int32_t TestRandom::Range(int32_t low, int32_t high)
{
    const uint64_t span = uint64_t(int64_t(high) - int64_t(low) + 1);
    return int32_t(int64_t(low) + int64_t(Next() % span));
}

std::vector<uint32_t> RandomPixels(uint64_t seed, int width, int height, AlphaMix mix)
{
    TestRandom random(seed);
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    uint32_t runClass = 0;
    int32_t runLeft = 0;
    for (uint32_t& pixel : pixels)
    {
        const uint32_t colour = random.Next() & 0xFFFFFF;
        uint32_t alpha = 255;
        if (mix == AlphaMix::Uniform)
        {
            alpha = random.Next() & 0xFF;
        }
        else if (mix == AlphaMix::Extremes)
        {
            const uint32_t pick = random.Next() % 10;
            alpha = pick < 4 ? 0 : pick < 8 ? 255 : random.Next() & 0xFF;
        }
        else if (mix == AlphaMix::Runs)
        {
            if (runLeft-- <= 0)
            {
                runClass = random.Next() % 3;
                runLeft = random.Range(0, 39);
            }
            alpha = runClass == 0 ? 0 : runClass == 1 ? 255 : random.Next() & 0xFF;
        }
        pixel = alpha << 24 | colour;
    }
    return pixels;
}

void FillRandom(Quib::MemoryImage& image, uint64_t seed, int width, int height, AlphaMix mix)
{
    const std::vector<uint32_t> pixels = RandomPixels(seed, width, height, mix);
    image.SetBits(pixels.data(), width, height, true);
}

uint64_t Checksum(const uint32_t* pixels, size_t count, uint64_t hash)
{
    for (size_t i = 0; i < count; ++i)
    {
        uint32_t word = pixels[i];
        for (int byte = 0; byte < 4; ++byte)
        {
            hash ^= word & 0xFF;
            hash *= 0x100000001B3ull;
            word >>= 8;
        }
    }
    return hash;
}

} // namespace testsupport
