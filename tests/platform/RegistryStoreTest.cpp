#include "platform/RegistryStore.h"

#include "platform/Environment.h"
#include "platform/Files.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace
{

class RegistryStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mRoot = std::filesystem::temp_directory_path() / "orvellan-registry-test";
        std::filesystem::remove_all(mRoot);
        std::filesystem::create_directories(mRoot);
        mFile = (mRoot / "product" / "settings.reg").string();
    }
    void TearDown() override { std::filesystem::remove_all(mRoot); }

    std::filesystem::path mRoot;
    std::string mFile;
};

TEST_F(RegistryStoreTest, ValuesSurviveAFreshStoreAndKeysIgnoreCase)
{
    {
        platform::RegistryStore store(mFile);
        uint32_t volume = 85;
        ASSERT_TRUE(store.write("SOFTWARE\\MyProduct", "MusicVolume", 4, &volume, 4));
        const char text[] = "device lost";
        ASSERT_TRUE(store.write("SOFTWARE\\MyProduct\\Test3D", "RuntimeError", 1, text, std::strlen(text)));
        const uint8_t odd[] = {0, '=', '\n', 0xFF};
        ASSERT_TRUE(store.write("SOFTWARE/MyProduct/", "we[ir]d name=%", 3, odd, sizeof odd));
    }
    platform::RegistryStore store(mFile);
    auto volume = store.read("software\\myproduct", "musicvolume");
    ASSERT_TRUE(volume);
    EXPECT_EQ(volume->type, 4u);
    ASSERT_EQ(volume->data.size(), 4u);
    uint32_t value = 0;
    std::memcpy(&value, volume->data.data(), 4);
    EXPECT_EQ(value, 85u);

    auto error = store.read("SOFTWARE\\MyProduct\\Test3D", "RuntimeError");
    ASSERT_TRUE(error);
    EXPECT_EQ(std::string(error->data.begin(), error->data.end()), "device lost");

    auto odd = store.read("SOFTWARE\\MyProduct", "WE[IR]D NAME=%");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->data, (std::vector<uint8_t>{0, '=', '\n', 0xFF}));

    EXPECT_FALSE(store.read("SOFTWARE\\MyProduct", "Missing"));
    EXPECT_FALSE(store.read("SOFTWARE\\MyProduct\\Test3D", "MusicVolume")) << "subkeys are separate";
}

TEST_F(RegistryStoreTest, EraseAndDamagedLinesAreSkipped)
{
    platform::RegistryStore store(mFile);
    uint32_t one = 1;
    ASSERT_TRUE(store.write("K", "Is3D", 4, &one, 4));
    EXPECT_TRUE(store.erase("K", "IS3D"));
    EXPECT_FALSE(store.erase("K", "Is3D"));
    EXPECT_FALSE(store.read("K", "Is3D"));

    const std::string damaged = "[k]\ngood=4:01000000\nbad=4:0G\nnoequals\nshort=4:123\n=x\n";
    ASSERT_TRUE(platform::writeFile(mFile, damaged.data(), damaged.size()));
    EXPECT_TRUE(store.read("K", "good"));
    EXPECT_FALSE(store.read("K", "bad"));
    EXPECT_FALSE(store.read("K", "short"));
}

TEST(RegistryStoreFile, KeyNeverLeavesTheSettingsFolder)
{
    const auto saved = platform::getEnv("XDG_CONFIG_HOME");
    platform::setEnv("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(platform::RegistryStore::fileForKey("Orvellan"), "/cfg/orvellan/settings.reg");
    EXPECT_EQ(platform::RegistryStore::fileForKey("..\\..\\etc"), "/cfg/etc/settings.reg");
    EXPECT_EQ(platform::RegistryStore::fileForKey(""), "/cfg/default/settings.reg");
    platform::setEnv("XDG_CONFIG_HOME", saved.value_or(""));
}

} // namespace
