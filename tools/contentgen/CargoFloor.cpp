// The box-pushing board's floor: one flagstone floor of 8 x 8 cells, cut into
// a picture per cell, as the board loads them ("bg__01.jpg" .. "bg__64.jpg").
#include "framework/resources/ImageLib.h"
#include "platform/Files.h"
#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/Materials.h"
#include "tools/contentgen/MiniGameData.h"
#include "tools/contentgen/PackFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace contentgen
{

namespace
{

constexpr int kCells = 8;
constexpr int kCell = 60;
constexpr int kSide = kCells * kCell;

// Stones in courses of 40 pixels, each course's joints shifted, so the stones
// run across cell edges and the floor reads as one surface under the grid.
Rgba floorAt(float x, float y, uint32_t seed)
{
    const float course = 40;
    const int row = int(std::floor(y / course));
    const float shift = float((row * 37) % 70);
    const float length = 70;
    const int column = int(std::floor((x + shift) / length));
    const float u = std::fmod(x + shift, length), v = std::fmod(y, course);
    const float edge = std::min(std::min(u, length - u), std::min(v, course - v));
    const uint32_t stone = seed + uint32_t(row * 131 + column * 17);
    const float tone = 0.8f + 0.25f * valueNoise(float(column), float(row), seed);
    Rgba base =
        mix(rgb(0x6e6558), rgb(0x8a8070), valueNoise(float(column) * 3.1f, float(row) * 1.7f, seed + 7));
    float grain = fractalNoise(x / 9, y / 9, stone, 3);
    Rgba c = shade(base, tone * (0.82f + 0.3f * grain));
    if (edge < 2.5f)
        return shade(rgb(0x3a332b), 0.8f + 0.3f * grain);
    if (edge < 4.5f)
        return shade(c, 0.78f + 0.05f * edge);
    // A few worn patches and stains.
    float wear = fractalNoise(x / 70, y / 70, seed + 99, 3);
    return shade(c, 0.9f + 0.2f * wear);
}

} // namespace

bool makeCargoFloor(PackFiles& pack)
{
    Canvas floor(kSide, kSide);
    const uint32_t seed = seedOf("cargo-floor");
    floor.fill([&](float x, float y) { return floorAt(x, y, seed); });
    // Light falls from the top left; the far corner lies in shadow.
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
        {
            float d = std::hypot(float(x) - kSide * 0.3f, float(y) - kSide * 0.25f) / float(kSide);
            floor.blend(x, y, Rgba{0, 0, 0, 1}, std::clamp(d * 0.45f - 0.05f, 0.0f, 0.35f));
        }
    const std::string folder = "content/images/miniGames/cargo_bg/";
    if (!platform::createDirectories(pack.fullPath(folder)))
        return false;
    for (int index = 0; index < kCells * kCells; ++index)
    {
        Canvas cell = floor.crop(kCell * (index % kCells), kCell * (index / kCells), kCell, kCell);
        ImageLib::Image image(kCell, kCell);
        std::copy(cell.pixels(), cell.pixels() + image.mBits.size(), image.mBits.begin());
        char name[32];
        std::snprintf(name, sizeof(name), "bg__%02d.jpg", index + 1);
        if (!ImageLib::SaveJpegFile(pack.fullPath(folder + name), image) || !pack.adopt(folder + name))
            return false;
    }
    return true;
}

} // namespace contentgen
