#include "framework/files/PakInterface.h"
#include "platform/Files.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace
{

std::string readAll(const std::string& path)
{
    std::optional<std::vector<uint8_t>> bytes = platform::readFile(path, uint64_t(1) << 30);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// A scratch folder of this process, removed afterwards.
struct ScratchFolder
{
    ScratchFolder()
        : path(std::filesystem::temp_directory_path() / ("orvellan-contentgen-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

TEST(ContentPackTest, AnotherRunWritesByteIdenticalFiles)
{
    ScratchFolder scratch;
    const std::string sums = (scratch.path / "pack.sha256").string();
    const std::string command = std::string("'") + CONTENTGEN_PROGRAM + "' --content '" +
                                ORVELLAN_SOURCE_DIR + "/content' --out '" + (scratch.path / "pack").string() +
                                "' --fontgen '" + FONTGEN_PROGRAM + "' --musicgen '" + MUSICGEN_PROGRAM +
                                "' --sums '" + sums + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const std::string first = readAll(CONTENT_PACK_SUMS), second = readAll(sums);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, second);
    EXPECT_NE(first.find("  properties/resources.xml\n"), std::string::npos);
    EXPECT_NE(first.find("  fonts/ItemLabels.png\n"), std::string::npos);
    EXPECT_NE(first.find("  Music/MainTheme.ogg\n"), std::string::npos);
}

TEST(ContentPackTest, ArchiveHoldsTheLooseFiles)
{
    const std::string previous = platform::currentDirectory();
    ASSERT_TRUE(platform::changeDirectory(std::filesystem::path(CONTENT_PAK_FILE).parent_path().string()));
    {
        PakInterface pak;
        ASSERT_TRUE(pak.MountArchive("main.pak")) << pak.GetErrorMessage();
        for (const char* name : {"properties/resources.xml", "properties/Strings.xml", "images/hud/clock.png",
                                 "sounds/ambient/loop1.wav", "fonts/Diary2.txt", "Music/Intro_voiceover.ogg"})
        {
            PakFile* file = pak.OpenFile(name, "rb");
            ASSERT_NE(file, nullptr) << name;
            std::string bytes;
            char buffer[4096];
            while (size_t got = pak.ReadFile(buffer, 1, sizeof buffer, file))
                bytes.append(buffer, got);
            pak.CloseFile(file);
            EXPECT_EQ(bytes, readAll(std::string(CONTENT_PACK_DIR) + "/" + name)) << name;
        }
    }
    platform::changeDirectory(previous);
}

} // namespace
