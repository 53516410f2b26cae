#include "framework/display/DDInterface.h"
#include "framework/graphics/DDImage.h"
#include "framework/resources/DSoundManager.h"
#include "framework/resources/MusicInterface.h"
#include "tests/framework/app/AppLifeSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

using namespace applife;

namespace
{

bool Near(uint32_t a, uint32_t b)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 1)
            return false;
    return true;
}

class RecordingMusic : public Quib::MusicInterface
{
public:
    explicit RecordingMusic(double* volume) : mVolume(volume) {}
    void SetMusicVolume(double volume) override { *mVolume = volume; }
    double* mVolume;
};

class MediaApp : public LifeApp
{
public:
    std::unique_ptr<Quib::MusicInterface> CreateMusicInterface() override
    {
        return std::make_unique<RecordingMusic>(&mMusicGiven);
    }
    double EffectsGiven() { return dynamic_cast<Quib::DSoundManager&>(*mSoundManager).EffectsVolume(); }
    double mMusicGiven = -1;
};

class QuibAppBaseMediaTest : public ::testing::Test
{
protected:
    void SetUp() override { app.Init(); }
    MediaApp app;
};

TEST_F(QuibAppBaseMediaTest, MutesAreCountedAndTheStoredVolumesSurviveThem)
{
    EXPECT_DOUBLE_EQ(app.mMusicGiven, 0.85);
    EXPECT_DOUBLE_EQ(app.EffectsGiven(), 0.85);

    // Unmute without a preceding Mute changes nothing.
    app.Unmute(false);
    EXPECT_EQ(app.mMuteCount, 0);

    app.Mute(false);
    app.Mute(true);
    app.Unmute(false);
    EXPECT_TRUE(app.IsMuted());
    EXPECT_EQ(app.mAutoMuteCount, 1);
    EXPECT_DOUBLE_EQ(app.mMusicGiven, 0.0);
    EXPECT_DOUBLE_EQ(app.EffectsGiven(), 0.0);

    app.SetMusicVolume(0.5);
    app.SetSfxVolume(0.25);
    EXPECT_DOUBLE_EQ(app.GetMusicVolume(), 0.5);
    EXPECT_DOUBLE_EQ(app.GetSfxVolume(), 0.25);
    EXPECT_DOUBLE_EQ(app.mMusicGiven, 0.0);
    EXPECT_DOUBLE_EQ(app.EffectsGiven(), 0.0);

    app.Unmute(true);
    EXPECT_FALSE(app.IsMuted());
    EXPECT_EQ(app.mAutoMuteCount, 0);
    EXPECT_DOUBLE_EQ(app.mMusicGiven, 0.5);
    EXPECT_DOUBLE_EQ(app.EffectsGiven(), 0.25);
}

TEST_F(QuibAppBaseMediaTest, SharedImagesAreKeyedWithoutCaseAndPurgedOnlyWhenReleased)
{
    bool isNew = false;
    Quib::SharedImageHandle first = app.GetSharedImage("!buffer", "", &isNew);
    EXPECT_TRUE(isNew);
    auto* image = dynamic_cast<Quib::DDImage*>(first.GetImage());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 0);

    Quib::SharedImageHandle again = app.GetSharedImage("!BUFFER", "", &isNew);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(again.GetImage(), image);
    Quib::SharedImageHandle variant = app.GetSharedImage("!buffer", "small", &isNew);
    EXPECT_TRUE(isNew);
    EXPECT_NE(variant.GetImage(), image);

    // A missing file gives an entry without an image, shared all the same.
    Quib::SharedImageHandle missing = app.GetSharedImage("images/a.png", "", &isNew);
    EXPECT_EQ(missing.GetImage(), nullptr);
    app.GetSharedImage("IMAGES/A.PNG", "", &isNew);
    EXPECT_FALSE(isNew);

    app.PurgeUnusedSharedImages();
    EXPECT_EQ(app.mSharedImageMap.size(), 3u);
    first.Release();
    again.Release();
    // Released, but kept until the purge at the end of the update.
    EXPECT_EQ(app.mSharedImageMap.size(), 3u);
    EXPECT_TRUE(app.mMemoryImageSet.count(image));
    app.UpdateStep();
    EXPECT_EQ(app.mSharedImageMap.size(), 2u);
    EXPECT_FALSE(app.mMemoryImageSet.count(image));
    EXPECT_EQ(app.GetSharedImage("!buffer", "", &isNew).GetImage() != nullptr, true);
    EXPECT_TRUE(isNew);
}

TEST_F(QuibAppBaseMediaTest, LoadedImagesAreDisplayImagesOfTheFilesPixels)
{
    EXPECT_EQ(app.LoadImage("no/such/file.png", 0), nullptr);
    std::unique_ptr<Quib::DDImage> image(app.LoadImage(ORVELLAN_FIXTURES_DIR "/fonts/layer32x16.png", 0));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 32);
    EXPECT_EQ(image->GetHeight(), 16);
    EXPECT_EQ(image->mDDInterface, app.mDDInterface.get());
    EXPECT_TRUE(app.mMemoryImageSet.count(image.get()));
    EXPECT_TRUE(app.mDDInterface->mDDImageSet.count(image.get()));

    // The copy is drawn, so its exact values are the blitter's to answer for;
    // here each pixel must come from the rectangle's place (channels within 1).
    std::vector<uint32_t> pixels(32 * 16);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = 0xFF000000u | uint32_t(i * 2654435761u >> 8);
    Quib::DDImage source(app.mDDInterface.get());
    source.SetBits(pixels.data(), 32, 16, true);
    std::unique_ptr<Quib::DDImage> copy(app.CopyImageRect(&source, Quib::Rect(8, 4, 16, 8)));
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->GetWidth(), 16);
    ASSERT_EQ(copy->GetHeight(), 8);
    const uint32_t* copied = copy->GetBits();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_TRUE(Near(copied[y * 16 + x], pixels[size_t((y + 4) * 32 + x + 8)])) << x << "," << y;

    Quib::DDImage* raw = image.get();
    image.reset();
    EXPECT_FALSE(app.mMemoryImageSet.count(raw));
}

TEST_F(QuibAppBaseMediaTest, LoadingProgressAndThreadsStartOnce)
{
    EXPECT_EQ(app.GetLoadingProgress(), 0.0);
    app.StartLoadingThread();
    app.StartLoadingThread();
    app.WaitForBackgroundLoad();
    EXPECT_TRUE(app.mLoading.mFinished);
    EXPECT_EQ(app.GetLoadingProgress(), 1.0);
    app.StartCursorThread();
    app.StartCursorThread();
    app.Shutdown();
}

} // namespace
