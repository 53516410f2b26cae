#include "framework/services/RegistrySettings.h"

#include "framework/services/DemoRecorder.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/RegistryStore.h"
#include "tests/framework/services/DemoTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;

namespace
{

class RegistrySettingsTest : public ::testing::Test
{
protected:
    RegistrySettingsTest() { platform::setEnv("XDG_CONFIG_HOME", folder.File("config")); }
    ~RegistrySettingsTest() override { platform::setEnv("XDG_CONFIG_HOME", ""); }

    std::optional<platform::RegistryStore::Value> stored(const std::string& keyPath, const std::string& name)
    {
        return platform::RegistryStore(platform::RegistryStore::fileForKey("MyProduct")).read(keyPath, name);
    }

    DemoTest::ScratchFolder folder{"registry"};
    int update = 0;
    DemoRecorder demo{[this] { return update; }};
    RegistrySettings registry{demo};
};

TEST_F(RegistrySettingsTest, EmptyKeyIsInertEvenWhileRecording)
{
    demo.StartRecording(1);
    EXPECT_FALSE(registry.WriteRegistryInt("MusicVolume", 85));
    int value = 7;
    EXPECT_FALSE(registry.ReadRegistryInt("MusicVolume", value));
    EXPECT_EQ(value, 7);
    EXPECT_FALSE(registry.EraseRegistryValue("MusicVolume"));

    SavedSettings settings;
    settings.mMusicVolume = 0.3;
    registry.SaveSettingsToRegistry(settings);
    SavedSettings loaded;
    registry.LoadSettingsFromRegistry("", loaded, false);
    EXPECT_EQ(loaded.mMusicVolume, 0.85);

    EXPECT_EQ(demo.Stream().Data().BitSize(), 0);
    EXPECT_FALSE(platform::directoryExists(folder.File("config")));
}

TEST_F(RegistrySettingsTest, SettingsRoundTripThroughTheStore)
{
    registry.SetRegistryKey("MyProduct");
    SavedSettings saved;
    saved.mMusicVolume = 0.85;
    saved.mSfxVolume = 0.4;
    saved.mMuteCount = 3;
    saved.mAutoMuteCount = 3; // only automatic mutes: stored as not muted
    saved.mWindowed = false;
    saved.mPreferredX = -20;
    saved.mPreferredY = 45;
    saved.mCustomCursors = false;
    saved.mWaitForVSync = false;
    registry.SaveSettingsToRegistry(saved);
    int inProgress = -1;
    ASSERT_TRUE(registry.ReadRegistryInt("InProgress", inProgress));
    EXPECT_EQ(inProgress, 0);
    int stored = 0;
    ASSERT_TRUE(registry.ReadRegistryInt("MusicVolume", stored));
    EXPECT_EQ(stored, 85);

    SavedSettings loaded;
    RegistrySettings other(demo);
    other.LoadSettingsFromRegistry("MyProduct", loaded, false);
    EXPECT_DOUBLE_EQ(loaded.mMusicVolume, 0.85);
    EXPECT_DOUBLE_EQ(loaded.mSfxVolume, 0.4);
    EXPECT_EQ(loaded.mMuteCount, 0);
    EXPECT_FALSE(loaded.mWindowed);
    EXPECT_EQ(loaded.mPreferredX, -20);
    EXPECT_EQ(loaded.mPreferredY, 45);
    EXPECT_FALSE(loaded.mCustomCursors);
    EXPECT_FALSE(loaded.mWaitForVSync);
    // Loading marks a run in progress until the next save.
    ASSERT_TRUE(registry.ReadRegistryInt("InProgress", inProgress));
    EXPECT_EQ(inProgress, 1);

    saved.mAutoMuteCount = 1; // two manual mutes outstanding
    registry.SaveSettingsToRegistry(saved);
    other.LoadSettingsFromRegistry("MyProduct", loaded, true);
    EXPECT_EQ(loaded.mMuteCount, 1);
    ASSERT_TRUE(registry.ReadRegistryInt("InProgress", inProgress));
    EXPECT_EQ(inProgress, 0); // a screen saver does not mark its run
}

TEST_F(RegistrySettingsTest, ValueNamesWithASubkeyAndWrongSizes)
{
    registry.SetRegistryKey("MyProduct\\");
    ASSERT_TRUE(registry.WriteRegistryString("Test3D\\RuntimeError", "device lost"));
    const auto error = stored("SOFTWARE\\MyProduct\\Test3D", "RuntimeError");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->type, REG_SZ);
    EXPECT_EQ(std::string(error->data.begin(), error->data.end()), "device lost"); // no terminator
    EXPECT_FALSE(stored("SOFTWARE\\MyProduct", "RuntimeError").has_value());

    // A value of the wrong size leaves the target unchanged.
    ASSERT_TRUE(registry.WriteRegistryString("MusicVolume", "abc"));
    int volume = 12;
    EXPECT_FALSE(registry.ReadRegistryInt("MusicVolume", volume));
    EXPECT_EQ(volume, 12);
    // A value larger than the buffer is not found, and nothing is copied past it.
    char small[4] = {'-', '-', '-', '-'};
    uint32_t type = 0;
    uint32_t size = 2;
    EXPECT_FALSE(registry.ReadRegistryValue("Test3D\\RuntimeError", type, small, size));
    EXPECT_EQ(std::string(small, 4), "----");

    ASSERT_TRUE(registry.WriteRegistryBool("Is3D", true));
    bool is3D = false;
    ASSERT_TRUE(registry.ReadRegistryBool("Is3D", is3D));
    EXPECT_TRUE(is3D);
    EXPECT_TRUE(registry.EraseRegistryValue("Is3D"));
    EXPECT_FALSE(registry.ReadRegistryBool("Is3D", is3D));
}

TEST_F(RegistrySettingsTest, PlaybackReturnsRecordedResultsWithoutTouchingTheStore)
{
    registry.SetRegistryKey("MyProduct");
    demo.StartRecording(9);
    ASSERT_TRUE(registry.WriteRegistryInt("PreferredX", 640));
    int x = 0;
    ASSERT_TRUE(registry.ReadRegistryInt("PreferredX", x));
    EXPECT_FALSE(registry.ReadRegistryInt("Missing", x));
    ASSERT_TRUE(demo.WriteDemoFile(folder.File("r.dmo"), "v"));

    ASSERT_TRUE(platform::removeFile(platform::RegistryStore::fileForKey("MyProduct")));
    DemoRecorder player([] { return 0; });
    std::string message;
    ASSERT_TRUE(player.ReadDemoFile(folder.File("r.dmo"), "v", message)) << message;
    RegistrySettings replayed(player);
    replayed.SetRegistryKey("MyProduct");
    EXPECT_TRUE(replayed.WriteRegistryInt("PreferredX", 1));
    int replayedX = 0;
    EXPECT_TRUE(replayed.ReadRegistryInt("PreferredX", replayedX));
    EXPECT_EQ(replayedX, 640);
    EXPECT_FALSE(replayed.ReadRegistryInt("Missing", replayedX));
    EXPECT_FALSE(platform::fileExists(platform::RegistryStore::fileForKey("MyProduct")));
}

} // namespace
