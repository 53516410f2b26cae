// The box-pushing board's floor: one plank floor of 8 x 8 cells, cut into
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

// The planks of a cargo hold, 20 pixels wide with staggered ends, so the deck
// reads as one floor under the grid and the stone walls stand out from it.
Rgba floorAt(float x, float y, uint32_t seed)
{
    const float width = 20, length = 150;
    const int row = int(std::floor(y / width));
    const float shift = float((row * 53) % int(length));
    const int column = int(std::floor((x + shift) / length));
    const float u = std::fmod(x + shift, length), v = std::fmod(y, width);
    const uint32_t plank = seed + uint32_t(row * 131 + column * 17);
    Rgba base = mix(rgb(0x6a4424), rgb(0x96643a), valueNoise(float(column) * 2.3f, float(row) * 1.9f, seed));
    // Grain runs along the plank.
    const float grain = fractalNoise(x / 40, y / 2.5f, plank, 3);
    Rgba c = shade(base, 0.8f + 0.35f * grain);
    if (v < 1.5f || u < 1.5f)
        return shade(rgb(0x2e1c0e), 0.9f + 0.2f * grain);
    if (v < 3)
        return shade(c, 1.12f);
    if (v > width - 3)
        return shade(c, 0.8f);
    return c;
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
