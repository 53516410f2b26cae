// Text costs per frame: reading a descriptor, measuring and drawing a line
// with the bitmap font (whose draws must allocate nothing) and with a system font.
#include "framework/graphics/FontData.h"
#include "framework/graphics/FontHost.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"
#include "tests/support/GoldenImage.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

namespace
{

const std::string kFonts = std::string(ORVELLAN_FIXTURES_DIR) + "/fonts/";
const std::string kLine = "Find the brass key, the old map and 12 hidden coins!";

class BenchFontHost : public Quib::FontHost
{
public:
    ~BenchFontHost() override { delete mEntry.mImage; }
    void ShowError(const std::string&) override {}
    Quib::SharedImageHandle GetSharedImage(const std::string& fileName, const std::string&,
                                           bool* isNew) override
    {
        *isNew = false;
        Quib::SharedImageHandle handle;
        if (!mEntry.mImage)
        {
            std::vector<uint32_t> pixels;
            int width = 0;
            int height = 0;
            if (!testsupport::ReadPng(fileName, pixels, width, height))
                return handle;
            auto* image = new Quib::MemoryImage();
            image->SetBits(pixels.data(), width, height, true);
            mEntry.mImage = image;
            *isNew = true;
        }
        handle = &mEntry;
        return handle;
    }

private:
    Quib::SharedImageEntry mEntry;
};

Quib::MemoryImage& Screen()
{
    static Quib::MemoryImage screen = []
    {
        Quib::MemoryImage image;
        image.Create(800, 600);
        return image;
    }();
    return screen;
}

void BM_ParseDescriptor(benchmark::State& state)
{
    BenchFontHost host;
    for (auto _ : state)
    {
        auto* data = new Quib::FontData();
        data->AddReference();
        data->Load(&host, kFonts + "dejavu14.txt");
        benchmark::DoNotOptimize(data->mInitialized);
        data->Release();
    }
}
BENCHMARK(BM_ParseDescriptor);

void BM_ImageFontMeasure(benchmark::State& state)
{
    BenchFontHost host;
    Quib::ImageFont font(&host, kFonts + "dejavu14.txt");
    for (auto _ : state)
        benchmark::DoNotOptimize(font.GetStringWidth(kLine));
    state.SetItemsProcessed(state.iterations() * int64_t(kLine.size()));
}
BENCHMARK(BM_ImageFontMeasure);

void BM_ImageFontDraw(benchmark::State& state)
{
    BenchFontHost host;
    Quib::ImageFont font(&host, kFonts + "dejavu14.txt");
    font.SetPointSize(int(state.range(0)));
    Quib::Graphics g(&Screen());
    g.SetFont(&font);
    g.SetColor(Quib::Color(255, 230, 120));
    for (auto _ : state)
        g.DrawString(kLine, 20, 300);
    state.SetItemsProcessed(state.iterations() * int64_t(kLine.size()));
}
BENCHMARK(BM_ImageFontDraw)->Arg(14)->Arg(21);

void BM_SysFontDraw(benchmark::State& state)
{
    Quib::SysFont font(12, "DejaVu Sans");
    font.mDrawShadow = state.range(0) != 0;
    Quib::Graphics g(&Screen());
    g.SetFont(&font);
    g.SetColor(Quib::Color(236, 239, 244));
    for (auto _ : state)
        g.DrawString(kLine, 20, 300);
    state.SetItemsProcessed(state.iterations() * int64_t(kLine.size()));
}
BENCHMARK(BM_SysFontDraw)->Arg(0)->Arg(1);

} // namespace
