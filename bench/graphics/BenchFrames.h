#pragma once

#include "bench/graphics/Premultiplied.h"
#include "tests/support/RandomImage.h"
#include "tests/support/Sprites.h"

#include <cstdint>
#include <vector>

// The frames every contender draws, onto memory images and onto surfaces alike: an
// opaque background, and sprites (opaque cores, soft edges, transparent corners)
// placed over it at fixed spots.
namespace benchframes
{

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;
constexpr int kSpriteSize = 96;
constexpr int kSpriteCount = 60;

struct Placement
{
    int x;
    int y;
};

struct Frames
{
    Frames()
        : background(testsupport::BackgroundPixels(kFrameWidth, kFrameHeight)),
          sprite(testsupport::SpritePixels(kSpriteSize, kSpriteSize, 0xE08040, 8))
    {
        testsupport::TestRandom random(42);
        for (int i = 0; i < kSpriteCount; ++i)
            places.push_back(
                {random.Range(0, kFrameWidth - kSpriteSize), random.Range(0, kFrameHeight - kSpriteSize)});
        premultipliedSprite = Premultiplied(sprite);
    }

    std::vector<uint32_t> background;
    std::vector<uint32_t> sprite;
    std::vector<uint32_t> premultipliedSprite;
    std::vector<Placement> places;
};

inline const Frames& GetFrames()
{
    static const Frames frames;
    return frames;
}

} // namespace benchframes
