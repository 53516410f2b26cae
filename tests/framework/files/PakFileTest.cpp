#include "framework/files/PakFile.h"

#include "framework/files/PakInterface.h"
#include "tests/framework/files/PakTestFolder.h"

#include <gtest/gtest.h>

namespace
{

std::string ReadAll(const std::string& name, const std::string& mode = "rb")
{
    PakFile* file = PakFileOpen(name, mode);
    if (!file)
        return "<none>";
    std::string bytes(4096, '\0');
    bytes.resize(PakFileRead(bytes.data(), 1, bytes.size(), file));
    PakFileClose(file);
    return bytes;
}

// Withdraws the published layer for one scope, as in a process that has none.
class NoPublishedLayer
{
public:
    NoPublishedLayer() : mSaved(GetSharedPakInterface()) { SetSharedPakInterface(nullptr); }
    ~NoPublishedLayer() { SetSharedPakInterface(mSaved); }

private:
    PakInterfaceBase* mSaved;
};

TEST(PakFileTest, TheProgramsLayerIsPublished)
{
    ASSERT_NE(gPakInterface, nullptr);
    EXPECT_EQ(GetSharedPakInterface(), gPakInterface);
    // Only the first layer publishes itself, and a layer that goes away withdraws nothing it did not publish.
    {
        PakInterface second;
        EXPECT_EQ(GetSharedPakInterface(), gPakInterface);
    }
    EXPECT_EQ(GetSharedPakInterface(), gPakInterface);
}

TEST(PakFileTest, ServesMountedFilesAndLooseFilesAlike)
{
    PakTestFolder folder;
    PakArchiveWriter writer;
    ASSERT_TRUE(writer.AddFile("data\\a.txt", Bytes("ARCHIVE-A")));
    ASSERT_TRUE(writer.WriteTo("main.pak"));
    folder.Write("Data/A.txt", "DISK-A");
    folder.Write("Data/B.txt", "DISK-B");
    ASSERT_TRUE(gPakInterface->MountArchive("main.pak")) << gPakInterface->GetErrorMessage();

    EXPECT_EQ(ReadAll("data\\a.txt"), "ARCHIVE-A");
    EXPECT_EQ(ReadAll("DATA/A.TXT", "r"), "ARCHIVE-A");
    EXPECT_EQ(ReadAll("data\\b.txt"), "DISK-B");
    EXPECT_EQ(ReadAll("data\\c.txt"), "<none>");

    NoPublishedLayer none;
    EXPECT_EQ(ReadAll("data\\a.txt"), "DISK-A");
    EXPECT_EQ(ReadAll("data\\b.txt"), "DISK-B");
    EXPECT_EQ(ReadAll("data\\c.txt"), "<none>");
}

// Disk files read the way the C library's streams read them, with or without
// the archive layer in between.
class PakDiskFileTest : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        if (!GetParam())
            mNone = std::make_unique<NoPublishedLayer>();
    }
    void TearDown() override { mNone.reset(); }

    PakTestFolder mFolder;
    std::unique_ptr<NoPublishedLayer> mNone;
};

TEST_P(PakDiskFileTest, ReadsCharactersWithPushBackAndEndMark)
{
    mFolder.Write("text.txt", "ab\r\nc");
    PakFile* file = PakFileOpen("TEXT.TXT", "r");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(PakFileGetChar(file), 'a');
    EXPECT_EQ(PakFileGetChar(file), 'b');
    EXPECT_EQ(PakFileTell(file), 2);
    // Several characters pushed back in a row are read again in order.
    PakFileUngetChar('b', file);
    PakFileUngetChar('a', file);
    EXPECT_EQ(PakFileTell(file), 0);
    EXPECT_EQ(PakFileGetChar(file), 'a');
    EXPECT_EQ(PakFileGetChar(file), 'b');
    EXPECT_EQ(PakFileGetChar(file), '\r');
    EXPECT_EQ(PakFileGetChar(file), '\n');
    EXPECT_EQ(PakFileGetChar(file), 'c');
    EXPECT_FALSE(PakFileAtEnd(file));
    EXPECT_EQ(PakFileGetChar(file), -1);
    EXPECT_TRUE(PakFileAtEnd(file));
    PakFileUngetChar('c', file);
    EXPECT_FALSE(PakFileAtEnd(file));
    EXPECT_EQ(PakFileGetChar(file), 'c');
    EXPECT_EQ(PakFileClose(file), 0);
}

TEST_P(PakDiskFileTest, ReadsBlocksAndSeeksAcrossBufferBoundaries)
{
    std::string content;
    for (int i = 0; i < 10000; ++i)
        content += static_cast<char>('a' + i % 26);
    mFolder.Write("big.bin", content);
    PakFile* file = PakFileOpen("big.bin", "rb");
    ASSERT_NE(file, nullptr);

    std::string block(3000, '\0');
    EXPECT_EQ(PakFileRead(block.data(), 1000, 3, file), 3u);
    EXPECT_EQ(block, content.substr(0, 3000));
    EXPECT_EQ(PakFileRead(block.data(), 1, 3000, file), 3000u);
    EXPECT_EQ(block, content.substr(3000, 3000));
    EXPECT_EQ(PakFileTell(file), 6000);

    EXPECT_EQ(PakFileSeek(file, -1000, 1), 0);
    EXPECT_EQ(PakFileTell(file), 5000);
    EXPECT_EQ(PakFileGetChar(file), content[5000]);
    EXPECT_EQ(PakFileSeek(file, -3, 2), 0);
    EXPECT_EQ(PakFileRead(block.data(), 4, 3, file), 0u);
    EXPECT_EQ(block.substr(0, 3), content.substr(9997));
    EXPECT_TRUE(PakFileAtEnd(file));
    EXPECT_EQ(PakFileSeek(file, -1, 0), -1);
    EXPECT_EQ(PakFileSeek(file, 0, 0), 0);
    EXPECT_FALSE(PakFileAtEnd(file));
    EXPECT_EQ(PakFileGetChar(file), 'a');
    PakFileClose(file);
}

TEST_P(PakDiskFileTest, OpensForWritingAndRefusesMissingFiles)
{
    EXPECT_EQ(PakFileOpen("missing.txt", "rb"), nullptr);
    EXPECT_EQ(PakFileOpen("missing.txt", "x"), nullptr);
    PakFile* file = PakFileOpen("Created.txt", "wb");
    ASSERT_NE(file, nullptr);
    PakFileClose(file);
    EXPECT_TRUE(std::filesystem::exists(mFolder.Root() / "Created.txt"));
    EXPECT_EQ(PakFileClose(nullptr), 0);
}

INSTANTIATE_TEST_SUITE_P(PublishedOrNot, PakDiskFileTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "ThroughTheLayer" : "Direct"; });

TEST(PakFileTest, DiskLinesComeWholeOrInPieces)
{
    PakTestFolder folder;
    folder.Write("lines.txt", "first\r\nsecond line\nlast");
    PakFile* file = gPakInterface->OpenFile("lines.txt", "r");
    ASSERT_NE(file, nullptr);
    std::vector<std::string> got;
    char buffer[8];
    while (gPakInterface->ReadLine(buffer, sizeof buffer, file))
        got.push_back(buffer);
    EXPECT_EQ(got, (std::vector<std::string>{"first\r\n", "second ", "line\n", "last"}));
    gPakInterface->CloseFile(file);
}

} // namespace
