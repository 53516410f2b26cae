#include "bench/graphics/BenchFrames.h"
#include "bench/graphics/BenchTable.h"
#include "bench/graphics/PictureDifference.h"
#include "bench/graphics/PixmanSprites.h"
#include "bench/graphics/Premultiplied.h"
#include "bench/graphics/TintMask.h"
#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/Simd.h"

#include <SDL.h>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <pixman.h>
#include <vector>

using namespace Quib;

namespace
{

using namespace benchframes;

void SetSpritePixels(benchmark::State& state)
{
    state.SetItemsProcessed(int64_t(state.iterations()) * kSpriteCount * kSpriteSize * kSpriteSize);
}

void SetFramePixels(benchmark::State& state)
{
    state.SetItemsProcessed(int64_t(state.iterations()) * kFrameWidth * kFrameHeight);
}

// The background with half its alpha, as a picture composed off screen has.
std::vector<uint32_t> TranslucentBackground()
{
    std::vector<uint32_t> translucent = GetFrames().background;
    for (uint32_t& p : translucent)
        p = (p & 0x00FFFFFF) | 0x80000000;
    return translucent;
}

// This project's images.
struct OurScene
{
    OurScene() : frame(nullptr), sprite(nullptr), background(nullptr)
    {
        const Frames& frames = GetFrames();
        frame.SetBits(frames.background.data(), kFrameWidth, kFrameHeight, true);
        background.SetBits(frames.background.data(), kFrameWidth, kFrameHeight, true);
        sprite.SetBits(frames.sprite.data(), kSpriteSize, kSpriteSize, true);
        sprite.GetRLAlphaData();
    }

    void DrawSprites(const Color& color, int32_t mode)
    {
        const Rect whole(0, 0, kSpriteSize, kSpriteSize);
        for (const Placement& place : GetFrames().places)
            frame.Blit(&sprite, place.x, place.y, whole, color, mode);
    }

    MemoryImage frame;
    MemoryImage sprite;
    MemoryImage background;
};

void RunOurs(benchmark::State& state, SimdLevel level, const Color& color, int32_t mode)
{
    SetSimdLevel(level);
    OurScene scene;
    for (auto _ : state)
    {
        scene.DrawSprites(color, mode);
        benchmark::DoNotOptimize(scene.frame.mBits.get());
    }
    SetSimdLevel(DetectedSimdLevel());
    SetSpritePixels(state);
}

void Ours_SpritesNormal(benchmark::State& state)
{
    RunOurs(state, DetectedSimdLevel(), Color::White, DRAW_MODE_NORMAL);
}

void Ours_SpritesNormalScalar(benchmark::State& state)
{
    RunOurs(state, SimdLevel::Scalar, Color::White, DRAW_MODE_NORMAL);
}

void Ours_SpritesAdditive(benchmark::State& state)
{
    RunOurs(state, DetectedSimdLevel(), Color::White, DRAW_MODE_ADDITIVE);
}

void Ours_SpritesAdditiveScalar(benchmark::State& state)
{
    RunOurs(state, SimdLevel::Scalar, Color::White, DRAW_MODE_ADDITIVE);
}

void Ours_SpritesTinted(benchmark::State& state)
{
    RunOurs(state, DetectedSimdLevel(), Color(255, 200, 120, 200), DRAW_MODE_NORMAL);
}

// Sprites into a picture that has alpha of its own, as when an image is composed off
// screen: every pixel needs the full compositing formula.
void Ours_SpritesIntoTranslucent(benchmark::State& state)
{
    OurScene scene;
    const std::vector<uint32_t> translucent = TranslucentBackground();
    scene.frame.SetBits(translucent.data(), kFrameWidth, kFrameHeight, true);
    for (auto _ : state)
    {
        scene.DrawSprites(Color::White, DRAW_MODE_NORMAL);
        benchmark::DoNotOptimize(scene.frame.mBits.get());
    }
    SetSpritePixels(state);
}

void Ours_Background(benchmark::State& state)
{
    OurScene scene;
    const Rect whole(0, 0, kFrameWidth, kFrameHeight);
    for (auto _ : state)
    {
        scene.frame.Blit(&scene.background, 0, 0, whole, Color::White, DRAW_MODE_NORMAL);
        benchmark::DoNotOptimize(scene.frame.mBits.get());
    }
    SetFramePixels(state);
}

void Ours_FillTranslucent(benchmark::State& state)
{
    OurScene scene;
    const Rect whole(0, 0, kFrameWidth, kFrameHeight);
    for (auto _ : state)
    {
        scene.frame.FillRect(whole, Color(20, 40, 80, 128), DRAW_MODE_NORMAL);
        benchmark::DoNotOptimize(scene.frame.mBits.get());
    }
    SetFramePixels(state);
}

// Color(20, 40, 80, 128) as pixman's solid colours take it, premultiplied.
pixman_color_t PremultipliedShade()
{
    const auto mul = [](int c) { return uint16_t((c * 128 + 127) / 255 * 0x101); };
    return {mul(20), mul(40), mul(80), 128 * 0x101};
}

// pixman works on premultiplied pixels, which is what its OVER and ADD expect.
struct PixmanScene
{
    PixmanScene()
        : frameBits(GetFrames().background), spriteBits(GetFrames().premultipliedSprite),
          backgroundBits(GetFrames().background)
    {
        frame = pixman_image_create_bits(PIXMAN_a8r8g8b8, kFrameWidth, kFrameHeight, frameBits.data(),
                                         kFrameWidth * 4);
        sprite = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSpriteSize, kSpriteSize, spriteBits.data(),
                                          kSpriteSize * 4);
        background = pixman_image_create_bits(PIXMAN_a8r8g8b8, kFrameWidth, kFrameHeight,
                                              backgroundBits.data(), kFrameWidth * 4);
        tintMask = TintMask();
    }

    ~PixmanScene()
    {
        pixman_image_unref(frame);
        pixman_image_unref(sprite);
        pixman_image_unref(background);
        pixman_image_unref(tintMask);
        pixman_image_unref(tintAlpha);
    }

    void DrawSprites(pixman_op_t op, pixman_image_t* mask) { CompositeSprites(op, sprite, mask, frame); }

    void DrawTinted() { CompositeTintedSprites(sprite, tintMask, tintAlpha, frame); }

    void MakeTranslucent()
    {
        const std::vector<uint32_t> translucent = Premultiplied(TranslucentBackground());
        std::copy(translucent.begin(), translucent.end(), frameBits.begin());
    }

    std::vector<uint32_t> frameBits;
    std::vector<uint32_t> spriteBits;
    std::vector<uint32_t> backgroundBits;
    pixman_image_t* frame;
    pixman_image_t* sprite;
    pixman_image_t* background;
    pixman_image_t* tintMask;
    pixman_image_t* tintAlpha = TintAlphaMask();
};

void RunPixmanSprites(benchmark::State& state, pixman_op_t op, bool tinted)
{
    PixmanScene scene;
    pixman_image_t* mask = tinted ? scene.tintMask : nullptr;
    for (auto _ : state)
    {
        scene.DrawSprites(op, mask);
        benchmark::DoNotOptimize(scene.frameBits.data());
    }
    SetSpritePixels(state);
}

void Pixman_SpritesOver(benchmark::State& state)
{
    RunPixmanSprites(state, PIXMAN_OP_OVER, false);
}

void Pixman_SpritesAdd(benchmark::State& state)
{
    RunPixmanSprites(state, PIXMAN_OP_ADD, false);
}

void Pixman_SpritesOverTintMask(benchmark::State& state)
{
    PixmanScene scene;
    for (auto _ : state)
    {
        scene.DrawTinted();
        benchmark::DoNotOptimize(scene.frameBits.data());
    }
    SetSpritePixels(state);
}

// The peer of ours into a translucent picture: the same picture, premultiplied.
void Pixman_SpritesIntoTranslucent(benchmark::State& state)
{
    PixmanScene scene;
    scene.MakeTranslucent();
    for (auto _ : state)
    {
        scene.DrawSprites(PIXMAN_OP_OVER, nullptr);
        benchmark::DoNotOptimize(scene.frameBits.data());
    }
    SetSpritePixels(state);
}

void Pixman_FillTranslucent(benchmark::State& state)
{
    PixmanScene scene;
    const pixman_color_t shade = PremultipliedShade();
    pixman_image_t* solid = pixman_image_create_solid_fill(&shade);
    for (auto _ : state)
    {
        pixman_image_composite32(PIXMAN_OP_OVER, solid, nullptr, scene.frame, 0, 0, 0, 0, 0, 0, kFrameWidth,
                                 kFrameHeight);
        benchmark::DoNotOptimize(scene.frameBits.data());
    }
    pixman_image_unref(solid);
    SetFramePixels(state);
}

// SRC: pixman cannot know that the background is opaque, which ours does.
void Pixman_Background(benchmark::State& state)
{
    PixmanScene scene;
    for (auto _ : state)
    {
        pixman_image_composite32(PIXMAN_OP_SRC, scene.background, nullptr, scene.frame, 0, 0, 0, 0, 0, 0,
                                 kFrameWidth, kFrameHeight);
        benchmark::DoNotOptimize(scene.frameBits.data());
    }
    SetFramePixels(state);
}

// SDL2's software blitter on straight-alpha ARGB surfaces.
struct SdlScene
{
    SdlScene()
        : frameBits(GetFrames().background), spriteBits(GetFrames().sprite),
          backgroundBits(GetFrames().background)
    {
        frame = SDL_CreateRGBSurfaceWithFormatFrom(frameBits.data(), kFrameWidth, kFrameHeight, 32,
                                                   kFrameWidth * 4, SDL_PIXELFORMAT_ARGB8888);
        sprite = SDL_CreateRGBSurfaceWithFormatFrom(spriteBits.data(), kSpriteSize, kSpriteSize, 32,
                                                    kSpriteSize * 4, SDL_PIXELFORMAT_ARGB8888);
        background = SDL_CreateRGBSurfaceWithFormatFrom(backgroundBits.data(), kFrameWidth, kFrameHeight, 32,
                                                        kFrameWidth * 4, SDL_PIXELFORMAT_ARGB8888);
        // The background is opaque: ours copies it, and so does SDL when told so.
        SDL_SetSurfaceBlendMode(background, SDL_BLENDMODE_NONE);
    }

    ~SdlScene()
    {
        SDL_FreeSurface(frame);
        SDL_FreeSurface(sprite);
        SDL_FreeSurface(background);
    }

    void DrawSprites(SDL_BlendMode mode)
    {
        SDL_SetSurfaceBlendMode(sprite, mode);
        for (const Placement& place : GetFrames().places)
        {
            SDL_Rect to = {place.x, place.y, kSpriteSize, kSpriteSize};
            SDL_BlitSurface(sprite, nullptr, frame, &to);
        }
    }

    std::vector<uint32_t> frameBits;
    std::vector<uint32_t> spriteBits;
    std::vector<uint32_t> backgroundBits;
    SDL_Surface* frame;
    SDL_Surface* sprite;
    SDL_Surface* background;
};

void RunSdlSprites(benchmark::State& state, SDL_BlendMode mode)
{
    SdlScene scene;
    for (auto _ : state)
    {
        scene.DrawSprites(mode);
        benchmark::DoNotOptimize(scene.frameBits.data());
    }
    SetSpritePixels(state);
}

void Sdl_SpritesBlend(benchmark::State& state)
{
    RunSdlSprites(state, SDL_BLENDMODE_BLEND);
}

void Sdl_SpritesAdd(benchmark::State& state)
{
    RunSdlSprites(state, SDL_BLENDMODE_ADD);
}

void Sdl_Background(benchmark::State& state)
{
    SdlScene scene;
    for (auto _ : state)
    {
        SDL_BlitSurface(scene.background, nullptr, scene.frame, nullptr);
        benchmark::DoNotOptimize(scene.frameBits.data());
    }
    SetFramePixels(state);
}

// Picture checks: one frame drawn both ways, compared as straight-alpha pixels;
// pixman's premultiplied pixels are taken back to straight alpha, rounding to nearest.
std::vector<uint32_t> Straight(std::vector<uint32_t> pixels)
{
    for (uint32_t& p : pixels)
    {
        const uint32_t a = p >> 24;
        const auto div = [a](uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
        p = a << 24 | div((p >> 16) & 0xFF) << 16 | div((p >> 8) & 0xFF) << 8 | div(p & 0xFF);
    }
    return pixels;
}

int OursAgainstPixman(const Color& color, int32_t mode, void (*peer)(PixmanScene&))
{
    OurScene ours;
    ours.DrawSprites(color, mode);
    PixmanScene pixman;
    peer(pixman);
    return LargestDifference(ours.frame.mBits.get(), Straight(pixman.frameBits));
}

int OursAgainstSdl(int32_t mode, SDL_BlendMode sdlMode)
{
    OurScene ours;
    ours.DrawSprites(Color::White, mode);
    SdlScene sdl;
    sdl.DrawSprites(sdlMode);
    return LargestDifference(ours.frame.mBits.get(), sdl.frameBits);
}

int CheckNormalVsPixman()
{
    return OursAgainstPixman(Color::White, DRAW_MODE_NORMAL,
                             [](PixmanScene& scene) { scene.DrawSprites(PIXMAN_OP_OVER, nullptr); });
}

int CheckAdditiveVsPixman()
{
    return OursAgainstPixman(Color::White, DRAW_MODE_ADDITIVE,
                             [](PixmanScene& scene) { scene.DrawSprites(PIXMAN_OP_ADD, nullptr); });
}

int CheckTintedVsPixman()
{
    return OursAgainstPixman(Color(255, 200, 120, 200), DRAW_MODE_NORMAL,
                             [](PixmanScene& scene) { scene.DrawTinted(); });
}

int CheckTranslucentVsPixman()
{
    OurScene ours;
    const std::vector<uint32_t> translucent = TranslucentBackground();
    ours.frame.SetBits(translucent.data(), kFrameWidth, kFrameHeight, true);
    ours.DrawSprites(Color::White, DRAW_MODE_NORMAL);
    PixmanScene pixman;
    pixman.MakeTranslucent();
    pixman.DrawSprites(PIXMAN_OP_OVER, nullptr);
    return LargestDifference(ours.frame.mBits.get(), Straight(pixman.frameBits));
}

int CheckFillVsPixman()
{
    OurScene ours;
    ours.frame.FillRect(Rect(0, 0, kFrameWidth, kFrameHeight), Color(20, 40, 80, 128), DRAW_MODE_NORMAL);
    PixmanScene pixman;
    const pixman_color_t shade = PremultipliedShade();
    pixman_image_t* solid = pixman_image_create_solid_fill(&shade);
    pixman_image_composite32(PIXMAN_OP_OVER, solid, nullptr, pixman.frame, 0, 0, 0, 0, 0, 0, kFrameWidth,
                             kFrameHeight);
    pixman_image_unref(solid);
    return LargestDifference(ours.frame.mBits.get(), Straight(pixman.frameBits));
}

int CheckBackgroundVsPixman()
{
    OurScene ours;
    ours.frame.Blit(&ours.background, 0, 0, Rect(0, 0, kFrameWidth, kFrameHeight), Color::White,
                    DRAW_MODE_NORMAL);
    PixmanScene pixman;
    pixman_image_composite32(PIXMAN_OP_SRC, pixman.background, nullptr, pixman.frame, 0, 0, 0, 0, 0, 0,
                             kFrameWidth, kFrameHeight);
    return LargestDifference(ours.frame.mBits.get(), pixman.frameBits);
}

int CheckBackgroundVsSdl()
{
    OurScene ours;
    ours.frame.Blit(&ours.background, 0, 0, Rect(0, 0, kFrameWidth, kFrameHeight), Color::White,
                    DRAW_MODE_NORMAL);
    SdlScene sdl;
    SDL_BlitSurface(sdl.background, nullptr, sdl.frame, nullptr);
    return LargestDifference(ours.frame.mBits.get(), sdl.frameBits);
}

int CheckNormalVsSdl()
{
    return OursAgainstSdl(DRAW_MODE_NORMAL, SDL_BLENDMODE_BLEND);
}

int CheckAdditiveVsSdl()
{
    return OursAgainstSdl(DRAW_MODE_ADDITIVE, SDL_BLENDMODE_ADD);
}

} // namespace

BENCHMARK(Ours_SpritesNormal);
BENCHMARK(Ours_SpritesNormalScalar);
BENCHMARK(Pixman_SpritesOver);
BENCHMARK(Sdl_SpritesBlend);
BENCHMARK(Ours_SpritesAdditive);
BENCHMARK(Ours_SpritesAdditiveScalar);
BENCHMARK(Pixman_SpritesAdd);
BENCHMARK(Sdl_SpritesAdd);
BENCHMARK(Ours_SpritesTinted);
BENCHMARK(Pixman_SpritesOverTintMask);
BENCHMARK(Ours_SpritesIntoTranslucent);
BENCHMARK(Pixman_SpritesIntoTranslucent);
BENCHMARK(Ours_FillTranslucent);
BENCHMARK(Pixman_FillTranslucent);
BENCHMARK(Ours_Background);
BENCHMARK(Pixman_Background);
BENCHMARK(Sdl_Background);

// Tolerances: our blends divide by 256 and truncate, as their formulas fix,
// where pixman rounds its divisions by 255 and SDL divides by 255 in its own
// order; pixman's premultiplied pixels lose precision at low alpha, which the
// straight pixels read back from them show. Measured, the sprite rows differ
// by 3 to 6 levels; a wrong operator or mask differs by tens.
static const benchtable::Row kRows[] = {
    {"sprites, normal vs pixman OVER", "Ours_SpritesNormal", "Pixman_SpritesOver", CheckNormalVsPixman, 6},
    {"sprites, normal (scalar) vs pixman OVER", "Ours_SpritesNormalScalar", "Pixman_SpritesOver",
     CheckNormalVsPixman, 6},
    {"sprites, normal vs SDL2 blend", "Ours_SpritesNormal", "Sdl_SpritesBlend", CheckNormalVsSdl, 6},
    {"sprites, additive vs pixman ADD", "Ours_SpritesAdditive", "Pixman_SpritesAdd", CheckAdditiveVsPixman,
     6},
    {"sprites, additive (scalar) vs pixman ADD", "Ours_SpritesAdditiveScalar", "Pixman_SpritesAdd",
     CheckAdditiveVsPixman, 6},
    {"sprites, additive vs SDL2 add", "Ours_SpritesAdditive", "Sdl_SpritesAdd", CheckAdditiveVsSdl, 6},
    {"sprites, tinted vs pixman OUT_REVERSE + ADD tint masks", "Ours_SpritesTinted",
     "Pixman_SpritesOverTintMask", CheckTintedVsPixman, 6},
    {"sprites into a translucent picture vs pixman OVER", "Ours_SpritesIntoTranslucent",
     "Pixman_SpritesIntoTranslucent", CheckTranslucentVsPixman, 6},
    {"full-frame translucent fill vs pixman OVER solid", "Ours_FillTranslucent", "Pixman_FillTranslucent",
     CheckFillVsPixman, 6},
    {"background, normal vs pixman SRC", "Ours_Background", "Pixman_Background", CheckBackgroundVsPixman, 0},
    {"background, normal vs SDL2 copy", "Ours_Background", "Sdl_Background", CheckBackgroundVsSdl, 0},
};
