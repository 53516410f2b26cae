#include "platform/Environment.h"
#include "platform/Files.h"
#include "tests/framework/app/AppLifeSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace applife;

namespace
{

class QuibAppBaseSettingsTest : public ::testing::Test
{
protected:
    QuibAppBaseSettingsTest()
    {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        platform::setEnv("XDG_CONFIG_HOME", folder.string());
    }
    ~QuibAppBaseSettingsTest() override
    {
        platform::setEnv("XDG_CONFIG_HOME", "");
        std::filesystem::remove_all(folder);
    }

    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvellan-appsettings-" + std::to_string(getpid()));
};

TEST_F(QuibAppBaseSettingsTest, SavedSettingsComeBackUnderTheKeyAndAnEmptyKeyKeepsTheFields)
{
    {
        LifeApp app;
        app.mRegKey = "Orvellan\\SettingsTest";
        app.mMusicVolume = 0.4;
        app.mSfxVolume = 0.25;
        app.mIsWindowed = false;
        app.mInputQueue.mPreferredWindowX = 31;
        app.mInputQueue.mPreferredWindowY = 47;
        app.mMainLoop.mWaitForVSync = false;
        app.SaveSettingsToRegistry();
    }
    LifeApp app;
    app.mRegKey = "Orvellan\\SettingsTest";
    app.LoadSettingsFromRegistry();
    EXPECT_EQ(app.mRegKey, "Orvellan\\SettingsTest");
    EXPECT_DOUBLE_EQ(app.mMusicVolume, 0.4);
    EXPECT_DOUBLE_EQ(app.mSfxVolume, 0.25);
    EXPECT_FALSE(app.mIsWindowed);
    EXPECT_EQ(app.mInputQueue.mPreferredWindowX, 31);
    EXPECT_EQ(app.mInputQueue.mPreferredWindowY, 47);
    EXPECT_FALSE(app.mMainLoop.mWaitForVSync);
    int inProgress = 0;
    EXPECT_TRUE(app.ReadRegistryInt("InProgress", inProgress));
    EXPECT_EQ(inProgress, 1);

    LifeApp keyless;
    keyless.mMusicVolume = 0.5;
    keyless.mIsWindowed = false;
    keyless.LoadSettingsFromRegistry();
    EXPECT_EQ(keyless.mRegKey, "");
    EXPECT_DOUBLE_EQ(keyless.mMusicVolume, 0.5);
    EXPECT_FALSE(keyless.mIsWindowed);
}

TEST_F(QuibAppBaseSettingsTest, F3SwitchesTheOverlayAndShiftF3StepsItsKind)
{
    LifeApp app;
    const struct
    {
        bool shift;
        bool shown;
        int kind;
    } steps[] = {{false, true, 0}, {false, false, 0}, {true, true, 1}, {true, true, 0}, {false, false, 0}};
    for (const auto& step : steps)
    {
        app.ToggleFpsOverlay(step.shift);
        EXPECT_EQ(app.mShowFps, step.shown);
        EXPECT_EQ(app.mFpsOverlayKind, step.kind);
    }
}

TEST_F(QuibAppBaseSettingsTest, ScreenSaverErrorsBecomeStampedLinesOfOneLog)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    {
        LifeApp app;
        app.WriteScreenSaverErrorLog("first");
        app.WriteScreenSaverErrorLog("second");
    }
    const auto log = platform::readFile("ScrError.txt", 1 << 16);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(log.has_value());
    const std::string text(log->begin(), log->end());
    EXPECT_EQ(text.rfind("first ", 0), 0u);
    EXPECT_NE(text.find("\nsecond "), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
}

} // namespace
