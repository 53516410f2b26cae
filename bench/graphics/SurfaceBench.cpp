#include "bench/graphics/BenchFrames.h"
#include "bench/graphics/BenchTable.h"
#include "bench/graphics/PixmanSprites.h"
#include "bench/graphics/TintMask.h"
#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/framework/graphics/SurfaceTestDisplay.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <pixman.h>
#include <vector>

using namespace Quib;

namespace
{

using namespace benchframes;

// The screen image on a surface of the given format, locked for the whole frame as
// the widget manager keeps it, with the sprite's display-format caches built.
struct SurfaceScene
{
    explicit SurfaceScene(const platform::PixelFormat& format)
        : display(format), frame(&display), sprite(nullptr), background(&display), memoryBackground(nullptr)
    {
        frame.SetBits(GetFrames().background.data(), kFrameWidth, kFrameHeight, true);
        frame.GetSurface();
        background.SetBits(GetFrames().background.data(), kFrameWidth, kFrameHeight, true);
        background.GetSurface();
        memoryBackground.SetBits(GetFrames().background.data(), kFrameWidth, kFrameHeight, true);
        memoryBackground.GetNativeAlphaData(&display);
        sprite.SetBits(GetFrames().sprite.data(), kSpriteSize, kSpriteSize, true);
        sprite.GetNativeAlphaData(&display);
        sprite.GetRLAlphaData();
        sprite.GetRLAdditiveData(&display);
        frame.LockSurface();
    }

    ~SurfaceScene() { frame.UnlockSurface(); }

    void DrawSprites(const Color& color, int32_t mode)
    {
        const Rect whole(0, 0, kSpriteSize, kSpriteSize);
        for (const Placement& place : GetFrames().places)
            frame.Blit(&sprite, place.x, place.y, whole, color, mode);
    }

    surfacetest::FakeDisplay display;
    DDImage frame;
    MemoryImage sprite;
    DDImage background;
    MemoryImage memoryBackground; // opaque, without a surface of its own
};

void RunSurface(benchmark::State& state, const platform::PixelFormat& format, const Color& color,
                int32_t mode)
{
    SurfaceScene scene(format);
    for (auto _ : state)
    {
        scene.DrawSprites(color, mode);
        benchmark::DoNotOptimize(scene.frame.mLockedDesc.bits);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kSpriteCount * kSpriteSize * kSpriteSize);
}

void Surface32_SpritesNormal(benchmark::State& state)
{
    RunSurface(state, platform::PixelFormat::Rgb32(), Color::White, DRAW_MODE_NORMAL);
}

void Surface565_SpritesNormal(benchmark::State& state)
{
    RunSurface(state, platform::PixelFormat::Rgb565(), Color::White, DRAW_MODE_NORMAL);
}

void Surface32_SpritesAdditive(benchmark::State& state)
{
    RunSurface(state, platform::PixelFormat::Rgb32(), Color::White, DRAW_MODE_ADDITIVE);
}

void Surface565_SpritesAdditive(benchmark::State& state)
{
    RunSurface(state, platform::PixelFormat::Rgb565(), Color::White, DRAW_MODE_ADDITIVE);
}

void Surface32_SpritesTinted(benchmark::State& state)
{
    RunSurface(state, platform::PixelFormat::Rgb32(), Color(255, 200, 120, 200), DRAW_MODE_NORMAL);
}

void Surface565_SpritesTinted(benchmark::State& state)
{
    RunSurface(state, platform::PixelFormat::Rgb565(), Color(255, 200, 120, 200), DRAW_MODE_NORMAL);
}

void RunSurfaceBackground(benchmark::State& state, const platform::PixelFormat& format, bool fromMemory)
{
    SurfaceScene scene(format);
    const Rect whole(0, 0, kFrameWidth, kFrameHeight);
    Image* source = fromMemory ? static_cast<Image*>(&scene.memoryBackground) : &scene.background;
    for (auto _ : state)
    {
        scene.frame.Blit(source, 0, 0, whole, Color::White, DRAW_MODE_NORMAL);
        benchmark::DoNotOptimize(scene.frame.mLockedDesc.bits);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kFrameWidth * kFrameHeight);
}

void Surface32_Background(benchmark::State& state)
{
    RunSurfaceBackground(state, platform::PixelFormat::Rgb32(), false);
}

void Surface565_Background(benchmark::State& state)
{
    RunSurfaceBackground(state, platform::PixelFormat::Rgb565(), false);
}

void Surface32_MemoryBackground(benchmark::State& state)
{
    RunSurfaceBackground(state, platform::PixelFormat::Rgb32(), true);
}

void Surface565_MemoryBackground(benchmark::State& state)
{
    RunSurfaceBackground(state, platform::PixelFormat::Rgb565(), true);
}

// pixman on the same frames in the same destination formats, with premultiplied sprites.
struct PixmanSurfaceScene
{
    explicit PixmanSurfaceScene(pixman_format_code_t format)
    {
        const int bytes = PIXMAN_FORMAT_BPP(format) / 8;
        const int stride = (kFrameWidth * bytes + 3) & ~3;
        frameBits.resize(size_t(stride) * kFrameHeight / 4);
        backgroundBits.resize(frameBits.size());
        spriteBits = GetFrames().premultipliedSprite;
        wideBits = GetFrames().background;
        wide = pixman_image_create_bits(PIXMAN_x8r8g8b8, kFrameWidth, kFrameHeight, wideBits.data(),
                                        kFrameWidth * 4);
        frame = pixman_image_create_bits(format, kFrameWidth, kFrameHeight, frameBits.data(), stride);
        background =
            pixman_image_create_bits(format, kFrameWidth, kFrameHeight, backgroundBits.data(), stride);
        pixman_image_composite32(PIXMAN_OP_SRC, wide, nullptr, frame, 0, 0, 0, 0, 0, 0, kFrameWidth,
                                 kFrameHeight);
        pixman_image_composite32(PIXMAN_OP_SRC, wide, nullptr, background, 0, 0, 0, 0, 0, 0, kFrameWidth,
                                 kFrameHeight);
        sprite = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSpriteSize, kSpriteSize, spriteBits.data(),
                                          kSpriteSize * 4);
        tintMask = TintMask();
    }

    ~PixmanSurfaceScene()
    {
        pixman_image_unref(wide);
        pixman_image_unref(frame);
        pixman_image_unref(background);
        pixman_image_unref(sprite);
        pixman_image_unref(tintMask);
        pixman_image_unref(tintAlpha);
    }

    void DrawSprites(pixman_op_t op, pixman_image_t* mask) { CompositeSprites(op, sprite, mask, frame); }

    void DrawTinted() { CompositeTintedSprites(sprite, tintMask, tintAlpha, frame); }

    std::vector<uint32_t> frameBits;
    std::vector<uint32_t> backgroundBits;
    std::vector<uint32_t> spriteBits;
    std::vector<uint32_t> wideBits;
    pixman_image_t* wide; // the background as 32-bit pixels, whatever the frame's format
    pixman_image_t* frame;
    pixman_image_t* background;
    pixman_image_t* sprite;
    pixman_image_t* tintMask;
    pixman_image_t* tintAlpha = TintAlphaMask();
};

void RunPixman(benchmark::State& state, pixman_format_code_t format, pixman_op_t op, bool tinted)
{
    PixmanSurfaceScene scene(format);
    for (auto _ : state)
    {
        if (tinted)
            scene.DrawTinted();
        else
            scene.DrawSprites(op, nullptr);
        benchmark::DoNotOptimize(scene.frameBits.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kSpriteCount * kSpriteSize * kSpriteSize);
}

void Pixman32_SpritesOver(benchmark::State& state)
{
    RunPixman(state, PIXMAN_x8r8g8b8, PIXMAN_OP_OVER, false);
}

void Pixman565_SpritesOver(benchmark::State& state)
{
    RunPixman(state, PIXMAN_r5g6b5, PIXMAN_OP_OVER, false);
}

void Pixman32_SpritesAdd(benchmark::State& state)
{
    RunPixman(state, PIXMAN_x8r8g8b8, PIXMAN_OP_ADD, false);
}

void Pixman565_SpritesAdd(benchmark::State& state)
{
    RunPixman(state, PIXMAN_r5g6b5, PIXMAN_OP_ADD, false);
}

void Pixman32_SpritesOverTintMask(benchmark::State& state)
{
    RunPixman(state, PIXMAN_x8r8g8b8, PIXMAN_OP_OVER, true);
}

void Pixman565_SpritesOverTintMask(benchmark::State& state)
{
    RunPixman(state, PIXMAN_r5g6b5, PIXMAN_OP_OVER, true);
}

// pixman ADD right after one of our 32-bit surface blits, each frame: vector state
// that our rows leave behind must not slow other code down.
void Pixman32_SpritesAddAfterSurfaceBlit(benchmark::State& state)
{
    SurfaceScene ours(platform::PixelFormat::Rgb32());
    PixmanSurfaceScene scene(PIXMAN_x8r8g8b8);
    const Rect whole(0, 0, kSpriteSize, kSpriteSize);
    for (auto _ : state)
    {
        state.PauseTiming();
        ours.frame.Blit(&ours.sprite, 0, 0, whole, Color::White, DRAW_MODE_NORMAL);
        state.ResumeTiming();
        scene.DrawSprites(PIXMAN_OP_ADD, nullptr);
        benchmark::DoNotOptimize(scene.frameBits.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kSpriteCount * kSpriteSize * kSpriteSize);
}

void RunPixmanBackground(benchmark::State& state, pixman_format_code_t format, bool fromWide)
{
    PixmanSurfaceScene scene(format);
    pixman_image_t* source = fromWide ? scene.wide : scene.background;
    for (auto _ : state)
    {
        pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, scene.frame, 0, 0, 0, 0, 0, 0, kFrameWidth,
                                 kFrameHeight);
        benchmark::DoNotOptimize(scene.frameBits.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kFrameWidth * kFrameHeight);
}

void Pixman32_Background(benchmark::State& state)
{
    RunPixmanBackground(state, PIXMAN_x8r8g8b8, false);
}

void Pixman565_Background(benchmark::State& state)
{
    RunPixmanBackground(state, PIXMAN_r5g6b5, false);
}

// 32-bit pixels converted onto a 565 frame, as a memory image's copy must do.
void Pixman565_BackgroundFrom32(benchmark::State& state)
{
    RunPixmanBackground(state, PIXMAN_r5g6b5, true);
}

// Picture checks: one frame drawn both ways in the surface's format, compared channel
// by channel in the format's own levels (5, 6 or 8 bits), the unused top byte of a
// 32-bit pixel left out.
struct FramePixels
{
    const uint8_t* bits;
    int32_t pitch;
};

FramePixels Pixels(SurfaceScene& scene)
{
    return {scene.frame.mLockedDesc.bits, scene.frame.mLockedDesc.pitch};
}

FramePixels Pixels(PixmanSurfaceScene& scene)
{
    return {reinterpret_cast<const uint8_t*>(pixman_image_get_data(scene.frame)),
            pixman_image_get_stride(scene.frame)};
}

int LargestDifference(FramePixels ours, FramePixels peer, int bitCount)
{
    struct Channel
    {
        int shift;
        uint32_t mask;
    };
    const std::vector<Channel> channels = bitCount == 16
                                              ? std::vector<Channel>{{0, 0x1F}, {5, 0x3F}, {11, 0x1F}}
                                              : std::vector<Channel>{{0, 0xFF}, {8, 0xFF}, {16, 0xFF}};
    const int bytes = bitCount / 8;
    int largest = 0;
    for (int y = 0; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x)
        {
            uint32_t a = 0;
            uint32_t b = 0;
            std::memcpy(&a, ours.bits + y * ours.pitch + x * bytes, size_t(bytes));
            std::memcpy(&b, peer.bits + y * peer.pitch + x * bytes, size_t(bytes));
            for (const Channel& c : channels)
                largest =
                    std::max(largest, std::abs(int((a >> c.shift) & c.mask) - int((b >> c.shift) & c.mask)));
        }
    return largest;
}

struct Contenders
{
    platform::PixelFormat ours;
    pixman_format_code_t peer;
};

const Contenders k32 = {platform::PixelFormat::Rgb32(), PIXMAN_x8r8g8b8};
const Contenders k565 = {platform::PixelFormat::Rgb565(), PIXMAN_r5g6b5};

int CheckSprites(const Contenders& formats, const Color& color, int32_t mode, pixman_op_t op, bool tinted)
{
    SurfaceScene ours(formats.ours);
    ours.DrawSprites(color, mode);
    PixmanSurfaceScene peer(formats.peer);
    if (tinted)
        peer.DrawTinted();
    else
        peer.DrawSprites(op, nullptr);
    return LargestDifference(Pixels(ours), Pixels(peer), formats.ours.bitCount);
}

int CheckBackground(const Contenders& formats, bool fromMemory)
{
    SurfaceScene ours(formats.ours);
    ours.frame.Blit(fromMemory ? static_cast<Image*>(&ours.memoryBackground) : &ours.background, 0, 0,
                    Rect(0, 0, kFrameWidth, kFrameHeight), Color::White, DRAW_MODE_NORMAL);
    PixmanSurfaceScene peer(formats.peer);
    pixman_image_composite32(PIXMAN_OP_SRC, fromMemory ? peer.wide : peer.background, nullptr, peer.frame, 0,
                             0, 0, 0, 0, 0, kFrameWidth, kFrameHeight);
    return LargestDifference(Pixels(ours), Pixels(peer), formats.ours.bitCount);
}

// Both of ours: the opaque memory image and the surface image copy the same picture.
int CheckMemoryAgainstSurfaceBackground()
{
    SurfaceScene fromMemory(k32.ours);
    SurfaceScene fromSurface(k32.ours);
    const Rect whole(0, 0, kFrameWidth, kFrameHeight);
    fromMemory.frame.Blit(&fromMemory.memoryBackground, 0, 0, whole, Color::White, DRAW_MODE_NORMAL);
    fromSurface.frame.Blit(&fromSurface.background, 0, 0, whole, Color::White, DRAW_MODE_NORMAL);
    return LargestDifference(Pixels(fromMemory), Pixels(fromSurface), 32);
}

// Both pixman: a surface blit before pixman's frame leaves pixman's picture as it was.
int CheckPixmanAfterSurfaceBlit()
{
    SurfaceScene ours(k32.ours);
    PixmanSurfaceScene after(k32.peer);
    PixmanSurfaceScene alone(k32.peer);
    ours.frame.Blit(&ours.sprite, 0, 0, Rect(0, 0, kSpriteSize, kSpriteSize), Color::White, DRAW_MODE_NORMAL);
    after.DrawSprites(PIXMAN_OP_ADD, nullptr);
    alone.DrawSprites(PIXMAN_OP_ADD, nullptr);
    return LargestDifference(Pixels(after), Pixels(alone), 32);
}

const Color kTint(255, 200, 120, 200);

} // namespace

BENCHMARK(Surface32_SpritesNormal);
BENCHMARK(Pixman32_SpritesOver);
BENCHMARK(Surface565_SpritesNormal);
BENCHMARK(Pixman565_SpritesOver);
BENCHMARK(Surface32_SpritesAdditive);
BENCHMARK(Pixman32_SpritesAdd);
BENCHMARK(Surface565_SpritesAdditive);
BENCHMARK(Pixman565_SpritesAdd);
BENCHMARK(Pixman32_SpritesAddAfterSurfaceBlit);
BENCHMARK(Surface32_SpritesTinted);
BENCHMARK(Pixman32_SpritesOverTintMask);
BENCHMARK(Surface565_SpritesTinted);
BENCHMARK(Pixman565_SpritesOverTintMask);
BENCHMARK(Surface32_Background);
BENCHMARK(Pixman32_Background);
BENCHMARK(Surface565_Background);
BENCHMARK(Surface32_MemoryBackground);
BENCHMARK(Surface565_MemoryBackground);
BENCHMARK(Pixman565_Background);
BENCHMARK(Pixman565_BackgroundFrom32);

// Tolerances, in levels of the surface's channels: ours blends by 256 - A and
// truncates where pixman rounds its divisions by 255, pixman's premultiplied sprite
// loses precision at low alpha, and on 5-6-5 ours keeps what lies beneath by 5-bit
// weights, whose truncation adds up where several soft edges overlap. Measured, the
// sprite rows differ by 3 to 6 levels, nearly every channel by at most 1; the copies
// must be exact.
static const benchtable::Row kSurfaceRows[] = {
    {"surface 32-bit sprites, normal vs OVER", "Surface32_SpritesNormal", "Pixman32_SpritesOver",
     [] { return CheckSprites(k32, Color::White, DRAW_MODE_NORMAL, PIXMAN_OP_OVER, false); }, 6},
    {"surface 565 sprites, normal vs OVER", "Surface565_SpritesNormal", "Pixman565_SpritesOver",
     [] { return CheckSprites(k565, Color::White, DRAW_MODE_NORMAL, PIXMAN_OP_OVER, false); }, 6},
    {"surface 32-bit sprites, additive vs ADD", "Surface32_SpritesAdditive", "Pixman32_SpritesAdd",
     [] { return CheckSprites(k32, Color::White, DRAW_MODE_ADDITIVE, PIXMAN_OP_ADD, false); }, 6},
    {"surface 565 sprites, additive vs ADD", "Surface565_SpritesAdditive", "Pixman565_SpritesAdd",
     [] { return CheckSprites(k565, Color::White, DRAW_MODE_ADDITIVE, PIXMAN_OP_ADD, false); }, 6},
    {"pixman ADD after a surface blit vs alone", "Pixman32_SpritesAddAfterSurfaceBlit", "Pixman32_SpritesAdd",
     CheckPixmanAfterSurfaceBlit, 0},
    {"surface 32-bit sprites, tinted vs tint masks", "Surface32_SpritesTinted",
     "Pixman32_SpritesOverTintMask",
     [] { return CheckSprites(k32, kTint, DRAW_MODE_NORMAL, PIXMAN_OP_OVER, true); }, 6},
    {"surface 565 sprites, tinted vs tint masks", "Surface565_SpritesTinted", "Pixman565_SpritesOverTintMask",
     [] { return CheckSprites(k565, kTint, DRAW_MODE_NORMAL, PIXMAN_OP_OVER, true); }, 6},
    {"surface 32-bit background copy vs SRC", "Surface32_Background", "Pixman32_Background",
     [] { return CheckBackground(k32, false); }, 0},
    {"surface 565 background copy vs SRC", "Surface565_Background", "Pixman565_Background",
     [] { return CheckBackground(k565, false); }, 0},
    {"opaque memory image onto 32-bit surface vs SRC", "Surface32_MemoryBackground", "Pixman32_Background",
     [] { return CheckBackground(k32, true); }, 0},
    {"opaque memory image onto 565 surface vs SRC from 32-bit", "Surface565_MemoryBackground",
     "Pixman565_BackgroundFrom32", [] { return CheckBackground(k565, true); }, 0},
    {"opaque memory image vs surface onto 32-bit surface", "Surface32_MemoryBackground",
     "Surface32_Background", CheckMemoryAgainstSurfaceBackground, 0},
};
