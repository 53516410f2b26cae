// One frame of a scene as the player sees it, drawn in software: the room's
// picture, every item tinted to its light, the heads-up strip with its
// buttons, the item list in its font and the clock with its hands. The frame
// is drawn into a memory image and onto the screen surface the software
// display draws on, so that the two routines' costs stand side by side.
#include "framework/display/DDInterface.h"
#include "framework/foundation/Matrix3.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/FontHost.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "game/play/SceneFile.h"
#include "platform/Window.h"
#include "tests/framework/display/DisplayHostSupport.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <time.h>
#include <vector>

namespace
{

const std::string kPack = std::string(ORVELLAN_CONTENT_PACK) + "/";

std::unique_ptr<Quib::MemoryImage> Load(const std::string& path)
{
    std::unique_ptr<ImageLib::Image> decoded = ImageLib::LoadImageFile(kPack + path, true);
    auto image = std::make_unique<Quib::MemoryImage>();
    if (decoded)
        image->SetBits(decoded->GetPixels(), decoded->mWidth, decoded->mHeight, true);
    return image;
}

class PackFontHost : public Quib::FontHost
{
public:
    void ShowError(const std::string&) override {}
    Quib::SharedImageHandle GetSharedImage(const std::string& fileName, const std::string&,
                                           bool* isNew) override
    {
        Quib::SharedImageEntry& entry = mEntries[fileName];
        *isNew = entry.mImage == nullptr;
        if (!entry.mImage)
        {
            std::unique_ptr<ImageLib::Image> decoded = ImageLib::LoadImageFile(fileName, true);
            auto* image = new Quib::MemoryImage();
            if (decoded)
                image->SetBits(decoded->GetPixels(), decoded->mWidth, decoded->mHeight, true);
            entry.mImage = image;
        }
        Quib::SharedImageHandle handle;
        handle = &entry;
        return handle;
    }
    ~PackFontHost() override
    {
        for (auto& [name, entry] : mEntries)
            delete entry.mImage;
    }

private:
    std::map<std::string, Quib::SharedImageEntry> mEntries;
};

struct DrawnItem
{
    Quib::MemoryImage* image;
    SceneItemRecord record;
    bool hint;
};

struct SceneFrame
{
    explicit SceneFrame(int scene)
    {
        const std::string folder = "content/scenes/Scene" + std::to_string(scene) + "/";
        std::vector<SceneItemRecord> records;
        ReadSceneFile(kPack + folder + "Scene.xml", records);
        std::stable_sort(records.begin(), records.end(),
                         [](const SceneItemRecord& a, const SceneItemRecord& b)
                         { return a.mLayer < b.mLayer; });
        for (const SceneItemRecord& record : records)
        {
            const std::string file = SceneImageFileName(record.mImage);
            if (!pictures.count(file))
                pictures[file] = Load(folder + file);
            items.push_back({pictures[file].get(), record,
                             SceneItemKindOf(record, kFullListMode) == SceneItemKind::Hint});
            if (items.back().hint)
                pictures[file]->mColumns = kHintStripFrames;
            if (record.mType != 0 && record.mMajorGroupId == kPlainGroupId && names.size() < 12)
                names.push_back(record.mName);
        }
        for (const char* hud :
             {"images/hud/background.png", "images/hud/menu_normal.png", "images/hud/map_normal.png",
              "images/hud/diary_normal.png", "images/hud/hint_3.png", "images/hud/clock.png",
              "images/hud/clock_minute.png", "images/hud/clock_seconds.png"})
            gui.push_back(Load(hud));
        font = std::make_unique<Quib::ImageFont>(&fontHost, kPack + "fonts/ItemLabels.txt");
        screen.Create(800, 600);
    }

    // The game draws every item, the room's picture too, at sub-pixel
    // positions; the plain blit of the picture is measured beside it.
    void Draw(Quib::Image* target, bool plainBackground)
    {
        Quib::Graphics g(target);
        for (const DrawnItem& item : items)
        {
            const SceneItemRecord& r = item.record;
            if (plainBackground && &item == &items.front())
            {
                g.DrawImage(item.image, 0, 0);
                continue;
            }
            if (item.hint)
            {
                g.DrawImageCell(item.image, int(r.mX), int(r.mY), 0);
                continue;
            }
            const bool inventory = SceneItemKindOf(r, kFullListMode) == SceneItemKind::Combined;
            g.SetTintImages(true);
            g.SetColor(inventory ? Quib::Color(255, 255, 255, 70)
                                 : Quib::Color(r.mRed, r.mGreen, r.mBlue, r.mAlpha));
            g.DrawImageSubpixel(item.image, r.mX, r.mY);
            g.SetTintImages(false);
        }
        g.DrawImageSubpixel(gui[0].get(), 0, 0);
        g.DrawImage(gui[1].get(), -2, 0);
        g.DrawImage(gui[2].get(), 6, 52);
        g.DrawImage(gui[3].get(), 12, 119);
        g.DrawImage(gui[4].get(), 12, 203);
        g.SetFont(font.get());
        const int lineHeight = font->GetHeight() + 2;
        for (size_t i = 0; i < names.size(); ++i)
        {
            const int y = 304 + int(i) * lineHeight + 14;
            g.SetColor(Quib::Color(0, 0, 0));
            g.DrawString(names[i], 3, y + 1);
            g.SetColor(Quib::Color(255, 255, 255));
            g.DrawString(names[i], 2, y);
        }
        Quib::MemoryImage* face = gui[5].get();
        g.DrawImage(face, 690, -10);
        for (int hand = 0; hand < 2; ++hand)
        {
            Quib::MemoryImage* picture = gui[size_t(6 + hand)].get();
            Quib::Matrix3 m;
            m.RotateDeg(hand ? 75.0f : 23.0f);
            m.Translate(690 + (face->GetWidth() - picture->GetWidth()) * 0.5f,
                        -10 + (face->GetHeight() - picture->GetHeight()) * 0.5f);
            g.DrawImageWithMatrix(picture, m, picture->GetWidth() * 0.5f, picture->GetHeight() * 0.5f);
        }
    }

    std::map<std::string, std::unique_ptr<Quib::MemoryImage>> pictures;
    std::vector<DrawnItem> items;
    std::vector<std::unique_ptr<Quib::MemoryImage>> gui;
    std::vector<std::string> names;
    PackFontHost fontHost;
    std::unique_ptr<Quib::ImageFont> font;
    Quib::MemoryImage screen;
};

double ThreadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The software display at the game's size, headless: its draw surface is the
// screen image the game draws every frame onto.
struct SoftwareScreen
{
    SoftwareScreen()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        host.mDisplay = &display;
        display.mRenderDeviceSource = [] { return nullptr; };
        if (window.create("Scene", 800, 600, false) &&
            display.InitDisplay(&window, true) == Quib::DDInterface::RESULT_OK)
            image = display.GetDrawSurfaceImage();
    }
    ~SoftwareScreen() { display.ReleaseSurfaces(); }

    platform::Window window;
    testsupport::FakeDisplayHost host;
    Quib::DDInterface display{&host};
    Quib::DDImage* image = nullptr;
};

// A digest of the frame's pixels, shown with the figures, so that two builds can be
// seen to draw the same frame.
std::string FrameDigest(Quib::Image* target)
{
    uint32_t hash = 2166136261u;
    const auto add = [&hash](const uint8_t* bytes, size_t count)
    {
        for (size_t i = 0; i < count; ++i)
            hash = (hash ^ bytes[i]) * 16777619u;
    };
    if (auto* surface = dynamic_cast<Quib::DDImage*>(target))
    {
        if (!surface->LockSurface())
            return "unreadable";
        const Quib::LockedSurfaceDesc& lock = surface->mLockedDesc;
        for (int32_t y = 0; y < surface->mHeight; ++y)
            add(lock.bits + size_t(y) * size_t(lock.pitch),
                size_t(surface->mWidth) * size_t(lock.bitCount / 8));
        surface->UnlockSurface();
    }
    else if (auto* memory = dynamic_cast<Quib::MemoryImage*>(target))
    {
        add(reinterpret_cast<const uint8_t*>(memory->GetBits()), memory->PixelCount() * 4);
    }
    char text[32];
    std::snprintf(text, sizeof text, "frame %08x", hash);
    return text;
}

// Besides the mean, the costliest single frame of each round: a frame that
// misses the screen's pace shows here long before it moves the mean. The
// pictures' first drawing prepares them once, as the scene's opening does.
void BM_SceneFrame(benchmark::State& state)
{
    SceneFrame frame(int(state.range(2)));
    const bool plainBackground = state.range(1) != 0;
    std::unique_ptr<SoftwareScreen> software;
    Quib::Image* target = &frame.screen;
    if (state.range(0) != 0)
    {
        software = std::make_unique<SoftwareScreen>();
        if (software->image == nullptr)
        {
            state.SkipWithError("no software display");
            return;
        }
        target = software->image;
    }
    frame.Draw(target, plainBackground);
    state.SetLabel(FrameDigest(target));
    double worst = 0;
    for (auto _ : state)
    {
        const double start = ThreadCpuMilliseconds();
        frame.Draw(target, plainBackground);
        benchmark::ClobberMemory();
        worst = std::max(worst, ThreadCpuMilliseconds() - start);
    }
    state.counters["items"] = double(frame.items.size());
    state.counters["worst_cpu_ms"] = worst;
}
// Onto the software display's screen surface (1) or a memory image (0); the
// room's picture with a plain blit (1) or at its sub-pixel position (0); the
// porch, the library (most items on shelves) and the attic.
BENCHMARK(BM_SceneFrame)
    ->ArgsProduct({{0, 1}, {0, 1}, {1, 5, 23}})
    ->ArgNames({"screen", "plain", "scene"})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ComputeStatistics("max",
                        [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
    ->ReportAggregatesOnly(true);

} // namespace
