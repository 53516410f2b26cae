// One 800 x 600 frame drawn and shown: the room's picture, 100 sprites with
// alpha, some of them tinted, turned or additive, and a line of text as glyph
// blits, once through the software path and once through the window's renderer
// (Mesa's software GL here, through SDL's offscreen driver), and through the
// renderer with the pointer drawn over each shown frame as demo playback does.
// Frames per second are printed for each.
#include "bench/BenchRounds.h"
#include "framework/display/D3DInterface.h"
#include "framework/display/DDInterface.h"
#include "framework/display/DisplayHost.h"
#include "framework/foundation/Color.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "platform/RenderDevice.h"
#include "platform/Window.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace Quib;

namespace
{

class BenchHost : public DisplayHost
{
public:
    void RegisterImage(MemoryImage*) override {}
    void UnregisterImage(MemoryImage* image) override { DropImageTextures(image); }
    void DropImageTextures(MemoryImage* image) override
    {
        if (mTextureDisplay != nullptr)
            mTextureDisplay->DropImageTextures(image);
    }
    bool Is3DEnabled() override { return mTextureDisplay != nullptr; }
    NativeDisplay* GetNativeDisplay() override { return mDisplay; }
    bool CopyTexturesToImage(MemoryImage*) override { return false; }
    void RequestSharedImagePurge() override {}
    int32_t GetScreenWidth() override { return 800; }
    int32_t GetScreenHeight() override { return 600; }
    int32_t GetFullScreenBitDepth() override { return 32; }
    void SetVSyncBroken() override {}
    bool IsMinimised() override { return false; }
    bool IsAutoEnable3D() override { return false; }
    bool IsTest3DRequested() override { return false; }
    uint32_t GetMinVideoMemory() override { return 6; }
    uint32_t GetRecommendedVideoMemory() override { return 14; }
    std::string GetRegistryKey() override { return ""; }
    bool IsPlayingDemo() override { return false; }
    void RecordOrReplayString(std::string&) override {}
    void RecordOrReplayBool(bool&) override {}
    void OnHardwareTestCompleted() override {}

    NativeDisplay* mDisplay = nullptr;
    DDInterface* mTextureDisplay = nullptr;
};

std::unique_ptr<MemoryImage> Picture(ImageHost* host, int32_t width, int32_t height, bool alpha,
                                     uint32_t seed)
{
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
        {
            const uint32_t r = uint32_t((x * 7 + int32_t(seed) * 31) & 0xFF),
                           g = uint32_t((y * 5 + x) & 0xFF);
            const uint32_t b = uint32_t(((x ^ y) + int32_t(seed)) & 0xFF);
            const int32_t dx = 2 * x - width, dy = 2 * y - height;
            const uint32_t a = !alpha ? 255u : (dx * dx + dy * dy < width * height ? 255u : 0u);
            pixels[size_t(y) * size_t(width) + size_t(x)] = a << 24 | r << 16 | g << 8 | b;
        }
    auto image = std::make_unique<MemoryImage>(host);
    image->SetBits(pixels.data(), width, height, true);
    return image;
}

struct Bench
{
    Bench()
    {
        softwareHost.mDisplay = &software;
        hardwareHost.mDisplay = &hardware;
        hardwareHost.mTextureDisplay = &hardware;
        window.create("bench", 800, 600, false);
        software.InitDisplay(&window, true);
        platform::RenderDevice* device = window.renderDevice();
        ready = device != nullptr && device->info().accelerated;
        hardware.mIs3D = ready;
        ready = ready && hardware.InitDisplay(&window, true) == DDInterface::RESULT_OK;
        room = Picture(&hardwareHost, 800, 600, false, 1);
        for (uint32_t i = 0; i < 8; ++i)
            sprites.push_back(Picture(&hardwareHost, 48 + int32_t(i) * 8, 48 + int32_t(i) * 6, true, i));
        glyphs = Picture(&hardwareHost, 512, 32, true, 99);
    }

    void Frame(DDInterface& display)
    {
        Graphics g(display.GetDrawSurfaceImage());
        g.DrawImage(room.get(), 0, 0);
        for (int i = 0; i < 100; ++i)
        {
            MemoryImage* sprite = sprites[size_t(i) % sprites.size()].get();
            const int x = (i * 73) % 740, y = (i * 151) % 540;
            g.SetDrawMode(i % 10 == 9 ? DRAW_MODE_ADDITIVE : DRAW_MODE_NORMAL);
            g.SetTintImages(i % 4 == 3);
            g.SetColor(Color(255, 200, 150, 220));
            if (i % 5 == 4)
                g.DrawImageRotated(sprite, float(x), float(y), 0.3 * i, 24.0f, 24.0f);
            else
                g.DrawImage(sprite, x, y);
        }
        g.SetDrawMode(DRAW_MODE_NORMAL);
        g.SetTintImages(false);
        for (int c = 0; c < 60; ++c)
            g.DrawImage(glyphs.get(), 20 + c * 12, 560, Rect((c * 13) % 500, 0, 12, 32));
        display.Redraw();
        // The present only queues the renderer's work; a one-pixel read-back waits
        // for it, so that the frame is done when it is counted, as in software.
        if (&display == &hardware)
        {
            uint32_t pixel = 0;
            window.renderDevice()->readPixels({0, 0, 1, 1}, &pixel, 4);
        }
    }

    // Declared first, so that it closes after the displays that show frames in it.
    platform::Window window;
    BenchHost softwareHost;
    BenchHost hardwareHost;
    DDInterface software{&softwareHost};
    DDInterface hardware{&hardwareHost};
    bool ready = false;
    std::unique_ptr<MemoryImage> room;
    std::vector<std::unique_ptr<MemoryImage>> sprites;
    std::unique_ptr<MemoryImage> glyphs;
};

Bench& Shared()
{
    static Bench bench;
    return bench;
}

void Report(benchmark::State& state)
{
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_FrameSoftware(benchmark::State& state)
{
    Bench& bench = Shared();
    for (auto _ : state)
        bench.Frame(bench.software);
    Report(state);
}
BENCHMARK(BM_FrameSoftware)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FrameRenderer(benchmark::State& state)
{
    Bench& bench = Shared();
    if (!bench.ready)
    {
        state.SkipWithError("no accelerated renderer");
        return;
    }
    for (auto _ : state)
        bench.Frame(bench.hardware);
    Report(state);
}
BENCHMARK(BM_FrameRenderer)->Unit(benchmark::kMillisecond)->UseRealTime();

// Demo playback on the renderer: the recorded pointer is laid over each frame
// as it is shown.
void BM_FramePlaybackRenderer(benchmark::State& state)
{
    Bench& bench = Shared();
    if (!bench.ready)
    {
        state.SkipWithError("no accelerated renderer");
        return;
    }
    const std::unique_ptr<MemoryImage> pointer = Picture(nullptr, 32, 32, true, 5);
    bench.hardware.ChangeCursorImage(pointer.get());
    bench.hardware.mDrawSoftwareCursor = true;
    int step = 0;
    for (auto _ : state)
    {
        bench.hardware.SetWantedCursorPosition(100 + step % 600, 100 + step % 400);
        ++step;
        bench.Frame(bench.hardware);
    }
    bench.hardware.mDrawSoftwareCursor = false;
    bench.hardware.ChangeCursorImage(nullptr);
    Report(state);
}
BENCHMARK(BM_FramePlaybackRenderer)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // A screen of its own for the renderer, whatever the caller's display is.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::vector<char*> args = benchrounds::WithRoundDefaults(argc, argv);
    int count = int(args.size()) - 1;
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
