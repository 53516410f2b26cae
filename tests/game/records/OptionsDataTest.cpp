#include "game/records/OptionsData.h"

#include "game/records/DataFolder.h"
#include "game/records/OptionsHost.h"
#include "tests/game/records/RecordsTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{

class FakeHost : public OptionsHost
{
public:
    void ShowOptionsError(const std::string& text) override { mErrors.push_back(text); }
    bool IsWindowedMode() const override { return mWindowed; }
    void SwitchScreenMode(bool windowed, bool is3D, bool force) override
    {
        mSwitches.push_back(windowed);
        EXPECT_TRUE(is3D && force);
    }

    std::vector<std::string> mErrors;
    std::vector<bool> mSwitches;
    bool mWindowed = false;
};

// The golden file was worked out by hand from the file layout.
TEST(OptionsFile, FirstStartWritesTheDefaults)
{
    TempDataFolder folder;
    ASSERT_TRUE(CreateDataFolder());
    FakeHost host;
    OptionsData options;
    options.Load(&host);
    EXPECT_TRUE(host.mErrors.empty());
    EXPECT_EQ(FileBytes(GetOptionsFilePath()), RecordsFixture("options-first-start.dat"));
    EXPECT_EQ(FileBytes(folder.Root() + "/Quennivar/options.dat").size(), 14u);

    OptionsData again;
    again.mFullscreen = false;
    again.Load(&host);
    EXPECT_TRUE(again.mFullscreen);
    EXPECT_EQ(again.mMusicVolume, 0.6591796875);
    EXPECT_EQ(again.mSoundVolume, 0.5);
    EXPECT_EQ(again.mAmbientVolume, 0.3291015625);
}

TEST(OptionsFile, ReadsVolumesWithinRange)
{
    struct Case
    {
        const char* name;
        std::vector<uint8_t> bytes;
        OptionsData expected;
    };
    const Case cases[] = {
        {"full", {0, 0, 4, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1}, {0.0, 1.0 / 1024, 1.0, false, true}},
        {"too loud and negative",
         {7, 0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0x10, 0, 0, 0},
         {0.0, 1.0, 1.0, true, false}},
        {"short file", {1, 0, 2}, {0.0, 0.0, 0.5, true, false}},
        {"empty file", {}, {0.0, 0.0, 0.0, false, false}},
    };
    for (const Case& c : cases)
    {
        Quib::Buffer buffer = BufferOf(c.bytes);
        OptionsData options;
        options.Read(buffer);
        EXPECT_EQ(options, c.expected) << c.name;
    }
}

TEST(OptionsFile, StoresVolumesAsTruncatedThousandTwentyFourths)
{
    OptionsData options;
    options.mMusicVolume = 1.0;
    options.mSoundVolume = 0.0005;
    options.mAmbientVolume = 0.999;
    Quib::Buffer buffer;
    options.Write(buffer);
    EXPECT_EQ(BytesOf(buffer), (std::vector<uint8_t>{1, 0, 4, 0, 0, 0, 0, 0, 0, 0xFE, 3, 0, 0, 0}));
}

TEST(OptionsFile, AnUnreadableFileKeepsTheDefaultsAndSaysSo)
{
    TempDataFolder folder;
    ASSERT_TRUE(CreateDataFolder());
    // The read refuses a file this large.
    const std::string path = GetOptionsFilePath();
    WriteBytes(path, {1});
    std::filesystem::resize_file(path, kMaxSaveFileBytes + 1);
    FakeHost host;
    OptionsData options;
    options.Load(&host);
    EXPECT_EQ(host.mErrors, std::vector<std::string>{"Could not read contents of options.dat"});
    EXPECT_EQ(options, OptionsData());
}

TEST(OptionsData, SwitchesTheScreenOnlyWhenTheModeDiffers)
{
    FakeHost host;
    OptionsData options;
    host.mWindowed = false;
    options.ApplyScreenMode(host);
    EXPECT_TRUE(host.mSwitches.empty());
    options.mFullscreen = false;
    options.ApplyScreenMode(host);
    EXPECT_EQ(host.mSwitches, std::vector<bool>{true});
}

} // namespace
