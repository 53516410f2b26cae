// Showing a finished 800 x 600 frame in the window, on whatever screen the
// caller has (run it under X to see the desktop's own costs):
// - comparing a frame with the last one shown, which decides what is shown;
// - a frame that did not change, and one whose top band changed (the menu's clouds);
// - the whole frame scaled to a 1024 x 768 window and a 1920 x 1080 screen by our
//   rows into the window's pixels, beside SDL's software renderer showing the
//   same picture (texture upload, scaled copy, present).
// Before timing, each size's two windows are read back and must show the same
// picture: every pixel of ours equals SDL's at the same place or one pixel
// beside it (the two take the nearest image pixel with different rounding).
#include "bench/BenchRounds.h"
#include "platform/FrameChanges.h"
#include "platform/Window.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace
{

constexpr int kWidth = 800;
constexpr int kHeight = 600;

std::vector<uint32_t> Picture(uint32_t seed)
{
    std::vector<uint32_t> pixels(size_t(kWidth) * size_t(kHeight));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
        {
            const uint32_t r = uint32_t((x * 7 + int(seed) * 31) & 0xFF), g = uint32_t((y * 5 + x) & 0xFF);
            const uint32_t b = uint32_t(((x ^ y) + int(seed)) & 0xFF);
            pixels[size_t(y) * kWidth + size_t(x)] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    return pixels;
}

// The size of the desktop is shown full screen, as the game does there.
bool FullScreen(int width, int height)
{
    const platform::WindowRect desktop = platform::desktopBounds();
    return desktop.width == width && desktop.height == height;
}

const std::vector<uint32_t>& PictureA()
{
    static const std::vector<uint32_t> picture = Picture(1);
    return picture;
}

const std::vector<uint32_t>& PictureB()
{
    static const std::vector<uint32_t> picture = Picture(2);
    return picture;
}

void Pump()
{
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
    }
}

// Our present: the window's own pixels, scaled by our rows.
struct OurWindow
{
    OurWindow(int width, int height)
    {
        window.create("present bench", kWidth, kHeight, FullScreen(width, height));
        if (!window.isFullScreen())
            SDL_SetWindowSize(window.sdlWindow(), width, height);
        window.show(false);
        Pump();
    }
    platform::Window window;
};

// One window of each kind and size for the whole run, shown and past the
// desktop's first paints before anything is timed.
// Closed in main, before the video system ends.
std::map<std::pair<int, int>, std::unique_ptr<OurWindow>> gOurs;

OurWindow& Ours(int width, int height)
{
    auto& window = gOurs[{width, height}];
    if (!window)
    {
        window = std::make_unique<OurWindow>(width, height);
        for (int i = 0; i < 30; ++i)
        {
            window->window.present(PictureA().data(), kWidth, kHeight, kWidth * 4);
            Pump();
        }
    }
    return *window;
}

// SDL's software renderer showing the same picture.
struct SdlWindow
{
    SdlWindow(int width, int height)
    {
        window = SDL_CreateWindow("present bench peer", 0, 0, width, height,
                                  SDL_WINDOW_SHOWN |
                                      (FullScreen(width, height) ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0));
        renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
        texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                               SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight)
                           : nullptr;
        Pump();
    }
    ~SdlWindow()
    {
        if (texture)
            SDL_DestroyTexture(texture);
        if (renderer)
            SDL_DestroyRenderer(renderer);
        if (window)
            SDL_DestroyWindow(window);
    }
    void Show(const std::vector<uint32_t>& picture)
    {
        Draw(picture);
        SDL_RenderPresent(renderer);
    }
    void Draw(const std::vector<uint32_t>& picture)
    {
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(renderer, &w, &h);
        const platform::WindowRect fit = platform::fitRect(kWidth, kHeight, {0, 0, w, h});
        const SDL_Rect to{fit.x, fit.y, fit.width, fit.height};
        SDL_UpdateTexture(texture, nullptr, picture.data(), kWidth * 4);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, &to);
    }
    std::vector<uint32_t> Read()
    {
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(renderer, &w, &h);
        std::vector<uint32_t> pixels(size_t(w) * size_t(h));
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4);
        for (uint32_t& pixel : pixels)
            pixel |= 0xFF000000u;
        return pixels;
    }
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
};

std::map<std::pair<int, int>, std::unique_ptr<SdlWindow>> gTheirs;

SdlWindow& Theirs(int width, int height)
{
    auto& window = gTheirs[{width, height}];
    if (!window)
    {
        window = std::make_unique<SdlWindow>(width, height);
        for (int i = 0; i < 30 && window->texture != nullptr; ++i)
        {
            window->Show(PictureA());
            Pump();
        }
    }
    return *window;
}

// Every pixel of `ours` equals `theirs` at the same place or one step beside it.
bool SamePicture(const std::vector<uint32_t>& ours, const std::vector<uint32_t>& theirs, int width,
                 int height, double& exact)
{
    if (ours.size() != theirs.size() || ours.size() != size_t(width) * size_t(height))
        return false;
    size_t same = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const uint32_t pixel = ours[size_t(y) * size_t(width) + size_t(x)];
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                {
                    const int sx = x + dx, sy = y + dy;
                    found = sx >= 0 && sy >= 0 && sx < width && sy < height &&
                            theirs[size_t(sy) * size_t(width) + size_t(sx)] == pixel;
                }
            if (!found)
                return false;
            same += theirs[size_t(y) * size_t(width) + size_t(x)] == pixel;
        }
    exact = double(same) / double(ours.size());
    return true;
}

// Checked once per size before either side is timed.
bool Agree(int width, int height)
{
    OurWindow& ours = Ours(width, height);
    SdlWindow& theirs = Theirs(width, height);
    if (theirs.texture == nullptr || !ours.window.present(PictureA().data(), kWidth, kHeight, kWidth * 4))
        return false;
    theirs.Draw(PictureA());
    double exact = 0;
    const platform::WindowRect client = ours.window.clientRect();
    const bool same =
        SamePicture(ours.window.shownPixels(), theirs.Read(), client.width, client.height, exact);
    std::printf("%dx%d: the two pictures %s (%.1f %% of pixels equal in place, the rest one pixel beside)\n",
                width, height, same ? "agree" : "DIFFER", exact * 100.0);
    return same;
}

void BM_CompareUnchangedFrame(benchmark::State& state)
{
    platform::FrameChanges changes;
    const std::vector<uint32_t> frame = PictureA();
    changes.compare(frame.data(), kWidth, kHeight, kWidth * 4);
    for (auto _ : state)
        benchmark::DoNotOptimize(changes.compare(frame.data(), kWidth, kHeight, kWidth * 4).size());
}
BENCHMARK(BM_CompareUnchangedFrame)->Unit(benchmark::kMillisecond);

// Compared and, for what changed, scaled and handed over (1024 x 768).
void PresentChanges(benchmark::State& state, int bandHeight)
{
    OurWindow& ours = Ours(1024, 768);
    platform::FrameChanges changes;
    std::vector<uint32_t> frame = PictureA();
    const std::vector<uint32_t>& other = PictureB();
    ours.window.present(frame.data(), kWidth, kHeight, kWidth * 4);
    changes.compare(frame.data(), kWidth, kHeight, kWidth * 4);
    bool flip = false;
    for (auto _ : state)
    {
        flip = !flip;
        const std::vector<uint32_t>& source = flip ? other : PictureA();
        std::copy(source.begin(), source.begin() + ptrdiff_t(bandHeight) * kWidth, frame.begin());
        ours.window.presentChanged(frame.data(), kWidth, kHeight, kWidth * 4,
                                   changes.compare(frame.data(), kWidth, kHeight, kWidth * 4));
    }
}

void BM_PresentUnchanged(benchmark::State& state)
{
    PresentChanges(state, 0);
}
BENCHMARK(BM_PresentUnchanged)->Unit(benchmark::kMillisecond);

void BM_PresentTopBandChanged(benchmark::State& state)
{
    PresentChanges(state, 120);
}
BENCHMARK(BM_PresentTopBandChanged)->Unit(benchmark::kMillisecond);

void BM_PresentWholeOurs(benchmark::State& state)
{
    OurWindow& ours = Ours(int(state.range(0)), int(state.range(1)));
    bool flip = false;
    for (auto _ : state)
    {
        flip = !flip;
        ours.window.present((flip ? PictureB() : PictureA()).data(), kWidth, kHeight, kWidth * 4);
    }
}

void BM_PresentWholeSdlSoftware(benchmark::State& state)
{
    SdlWindow& theirs = Theirs(int(state.range(0)), int(state.range(1)));
    if (theirs.texture == nullptr)
    {
        state.SkipWithError("no software renderer");
        return;
    }
    bool flip = false;
    for (auto _ : state)
    {
        flip = !flip;
        theirs.Show(flip ? PictureB() : PictureA());
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> args = benchrounds::WithRoundDefaults(argc, argv);
    int count = int(args.size()) - 1;
    benchmark::Initialize(&count, args.data());
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        std::fprintf(stderr, "present_bench: no video: %s\n", SDL_GetError());
        return 1;
    }
    std::printf("video driver: %s\n", SDL_GetCurrentVideoDriver());
    for (const auto& [width, height] : {std::pair{1024, 768}, std::pair{1920, 1080}})
    {
        if (!Agree(width, height))
            continue;
        benchmark::RegisterBenchmark("BM_PresentWholeOurs", BM_PresentWholeOurs)
            ->Args({width, height})
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_PresentWholeSdlSoftware", BM_PresentWholeSdlSoftware)
            ->Args({width, height})
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gTheirs.clear();
    gOurs.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return 0;
}
