#include "framework/files/PakInterface.h"

#include "framework/files/PakArchiveWriter.h"
#include "framework/files/PakFileHandle.h"
#include "tests/framework/files/PakTestFolder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace
{

struct Closer
{
    PakInterface* mLayer;
    void operator()(PakFile* file) const { mLayer->CloseFile(file); }
};
using FileHandle = std::unique_ptr<PakFile, Closer>;

class PakInterfaceTest : public ::testing::Test
{
protected:
    FileHandle Open(const std::string& name, const std::string& mode = "rb")
    {
        return FileHandle(mLayer.OpenFile(name, mode), Closer{&mLayer});
    }

    std::string ReadAll(const std::string& name)
    {
        FileHandle file = Open(name);
        EXPECT_TRUE(file) << name;
        if (!file)
            return std::string();
        std::string bytes(4096, '\0');
        bytes.resize(mLayer.ReadFile(bytes.data(), 1, bytes.size(), file.get()));
        return bytes;
    }

    void MountFiles(const std::string& archive, const std::vector<std::pair<std::string, std::string>>& files)
    {
        PakArchiveWriter writer;
        for (const auto& [name, data] : files)
            ASSERT_TRUE(writer.AddFile(name, Bytes(data)));
        ASSERT_TRUE(writer.WriteTo(archive));
        ASSERT_TRUE(mLayer.MountArchive(archive)) << mLayer.GetErrorMessage();
    }

    PakTestFolder mFolder;
    PakInterface mLayer;
};

TEST_F(PakInterfaceTest, NormalizesPathsToTheArchiveKey)
{
    const std::string cwd = mFolder.Root().string();
    std::string upperCwd = PakInterface::ToUpperCase(cwd);
    const std::string longName(300, 'x');
    struct Case
    {
        std::string path;
        std::string key;
    };
    const Case cases[] = {
        {"images\\logo.png", "IMAGES\\LOGO.PNG"},
        {"Images/Logo.PNG", "IMAGES\\LOGO.PNG"},
        {"Images/../Sounds//a.ogg", "SOUNDS\\A.OGG"},
        {"a\\b\\..\\c", "A\\C"},
        {"a\\..\\c", "C"},
        {"a/b/../../c", "C"},
        {"..\\a", "..\\A"},
        {"a\\\\//b", "A\\B"},
        {cwd + "/images/logo.png", "IMAGES\\LOGO.PNG"},
        {upperCwd + "\\Images\\Logo.png", "IMAGES\\LOGO.PNG"},
        {cwd + "x/images/logo.png", PakInterface::ToUpperCase(cwd + "X\\IMAGES\\LOGO.PNG")},
        {"/elsewhere/a.png", "\\ELSEWHERE\\A.PNG"},
        {"dir/" + longName, "DIR\\" + PakInterface::ToUpperCase(longName)},
    };
    for (const Case& c : cases)
    {
        std::string expected = c.key;
        for (char& ch : expected)
            if (ch == '/')
                ch = '\\';
        EXPECT_EQ(PakInterface::NormalizePath(c.path), expected) << c.path;
    }
}

TEST_F(PakInterfaceTest, FindsArchiveFilesWhateverTheSpellingOfTheirName)
{
    MountFiles("main.pak", {{"images\\logo.png", "LOGO-BYTES"}, {"properties/resources.xml", "<r/>"}});
    const std::string cwd = mFolder.Root().string();
    const std::string names[] = {"images\\logo.png", "Images/Logo.PNG", "IMAGES//LOGO.PNG",
                                 cwd + "/images/logo.png", "sounds/../images/logo.png"};
    for (const std::string& name : names)
        EXPECT_EQ(ReadAll(name), "LOGO-BYTES") << name;
    EXPECT_EQ(ReadAll("properties\\resources.xml"), "<r/>");
    for (const std::string mode : {"r", "rb", "rt", "RB"})
        EXPECT_TRUE(Open("images/logo.png", mode)) << mode;
    EXPECT_FALSE(Open("images/missing.png"));
}

TEST_F(PakInterfaceTest, ArchiveFilesComeBeforeLooseFilesWhichFillTheGaps)
{
    mFolder.Write("Images/Logo.png", "DISK-LOGO");
    mFolder.Write("Images/Loose.png", "DISK-LOOSE");
    MountFiles("main.pak", {{"images\\logo.png", "PAK-LOGO"}});

    EXPECT_EQ(ReadAll("images\\logo.png"), "PAK-LOGO");
    EXPECT_EQ(ReadAll("images\\loose.png"), "DISK-LOOSE");
    EXPECT_EQ(ReadAll("IMAGES/LOOSE.PNG"), "DISK-LOOSE");

    // A later archive replaces the files of the same name.
    MountFiles("patch.pak", {{"Images/Logo.png", "PATCH-LOGO"}});
    EXPECT_EQ(ReadAll("images\\logo.png"), "PATCH-LOGO");
}

TEST_F(PakInterfaceTest, OpeningForWritingGoesToTheDisk)
{
    MountFiles("main.pak", {{"save.dat", "PAK"}});
    {
        FileHandle file = Open("save.dat", "wb");
        ASSERT_TRUE(file);
        EXPECT_FALSE(file->mInArchive);
    }
    EXPECT_TRUE(std::filesystem::exists(mFolder.Root() / "save.dat"));
    EXPECT_EQ(mFolder.Read("save.dat"), "");
    EXPECT_EQ(ReadAll("save.dat"), "PAK");
}

TEST_F(PakInterfaceTest, WriterAndReaderAgreeOnTheStoredLayout)
{
    // Header, one record (flags, name length, name, size, time), end flag, data.
    using namespace std::string_literals;
    const std::string plain = "\xC0\x4A\xC0\xBA"s + "\0\0\0\0"s + "\x00\x05"s + "a\\b.c" + "\x03\0\0\0"s +
                              "\x08\x07\x06\x05\x04\x03\x02\x01"s + "\x80"s + "xyz";
    PakArchiveWriter writer;
    ASSERT_TRUE(writer.AddFile("a/b.c", Bytes("xyz"), 0x0102030405060708ull));
    EXPECT_EQ(Unscrambled(writer.GetBytes()), plain);

    mFolder.Write("hand.pak", Scrambled(plain));
    ASSERT_TRUE(mLayer.MountArchive("hand.pak")) << mLayer.GetErrorMessage();
    EXPECT_EQ(ReadAll("a\\b.c"), "xyz");
}

TEST_F(PakInterfaceTest, ReadsWholeElementsAndStopsAtTheEnd)
{
    MountFiles("main.pak", {{"ten", "0123456789"}, {"next", "NEXT"}});
    FileHandle file = Open("ten");
    char buffer[12] = {};
    EXPECT_EQ(mLayer.ReadFile(buffer, 4, 3, file.get()), 2u);
    EXPECT_EQ(std::string(buffer), "0123456789");
    EXPECT_EQ(mLayer.TellFile(file.get()), 10);
    EXPECT_TRUE(mLayer.AtEndOfFile(file.get()));
    EXPECT_EQ(mLayer.ReadFile(buffer, 1, 1, file.get()), 0u);
    EXPECT_EQ(mLayer.ReadChar(file.get()), -1);

    // A count whose byte total overflows is cut to what is left, not wrapped.
    mLayer.SeekFile(file.get(), 6, 0);
    EXPECT_EQ(mLayer.ReadFile(buffer, 2, SIZE_MAX / 2 + 2, file.get()), 2u);
    EXPECT_EQ(mLayer.TellFile(file.get()), 10);
    EXPECT_EQ(mLayer.ReadFile(buffer, 0, 5, file.get()), 0u);
}

TEST_F(PakInterfaceTest, SeeksClampToTheFile)
{
    MountFiles("main.pak", {{"ten", "0123456789"}});
    FileHandle file = Open("ten");
    struct Case
    {
        long start;
        long offset;
        int origin;
        long position;
    };
    const Case cases[] = {
        {0, -3, 2, 7}, {0, 20, 0, 10}, {0, -5, 0, 0},  {4, 3, 1, 7},
        {4, -9, 1, 0}, {4, 9, 1, 10},  {12, 0, 9, 10},
    };
    for (const Case& c : cases)
    {
        ASSERT_EQ(mLayer.SeekFile(file.get(), c.start, 0), 0);
        EXPECT_EQ(mLayer.SeekFile(file.get(), c.offset, c.origin), 0);
        EXPECT_EQ(mLayer.TellFile(file.get()), c.position) << c.start << " " << c.offset << " " << c.origin;
    }
    mLayer.SeekFile(file.get(), 7, 0);
    EXPECT_EQ(mLayer.ReadChar(file.get()), '7');
}

TEST_F(PakInterfaceTest, CharactersAndLinesSkipCarriageReturns)
{
    MountFiles("main.pak", {{"crlf", "a\r\nb"}, {"lines", "first\nsecond line\n\nlast"}});
    FileHandle file = Open("crlf", "r");
    EXPECT_EQ(mLayer.ReadChar(file.get()), 'a');
    EXPECT_EQ(mLayer.ReadChar(file.get()), '\n');
    EXPECT_EQ(mLayer.ReadChar(file.get()), 'b');
    EXPECT_EQ(mLayer.ReadChar(file.get()), -1);

    mLayer.SeekFile(file.get(), 0, 0);
    char line[16];
    ASSERT_EQ(mLayer.ReadLine(line, sizeof line, file.get()), line);
    EXPECT_STREQ(line, "a\n");
    ASSERT_EQ(mLayer.ReadLine(line, sizeof line, file.get()), line);
    EXPECT_STREQ(line, "b");
    EXPECT_EQ(mLayer.ReadLine(line, sizeof line, file.get()), nullptr);

    // A line longer than the buffer comes in pieces of size - 1.
    FileHandle lines = Open("lines");
    std::vector<std::string> got;
    char small[7];
    while (mLayer.ReadLine(small, sizeof small, lines.get()))
        got.push_back(small);
    EXPECT_EQ(got, (std::vector<std::string>{"first\n", "second", " line\n", "\n", "last"}));
}

TEST_F(PakInterfaceTest, UnreadCharStepsBackOverWhatWasRead)
{
    MountFiles("main.pak", {{"abc", "abc"}});
    FileHandle file = Open("abc");
    mLayer.UnreadChar('x', file.get());
    EXPECT_EQ(mLayer.TellFile(file.get()), 0);
    for (int i = 0; i < 3; ++i)
        mLayer.ReadChar(file.get());
    for (int i = 0; i < 3; ++i)
        mLayer.UnreadChar('x', file.get());
    EXPECT_EQ(mLayer.ReadChar(file.get()), 'a');
}

TEST_F(PakInterfaceTest, TheArchiveItselfReadsUnscrambled)
{
    MountFiles("main.pak", {{"a", "A"}});
    EXPECT_EQ(ReadAll("main.pak").substr(0, 4), std::string("\xC0\x4A\xC0\xBA", 4));
    // Mounted by a full path, it is found by that path too.
    PakInterface other;
    ASSERT_TRUE(other.MountArchive((mFolder.Root() / "main.pak").string())) << other.GetErrorMessage();
    PakFile* file = other.OpenFile((mFolder.Root() / "main.pak").string(), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->mInArchive);
    other.CloseFile(file);
}

TEST_F(PakInterfaceTest, KeepsLongNamesAndEmptyFiles)
{
    const std::string longName = "data\\" + std::string(250, 'n');
    MountFiles("main.pak", {{longName, "LONG"}, {"empty", ""}, {"after", "AFTER"}});
    EXPECT_EQ(ReadAll(longName), "LONG");
    EXPECT_EQ(ReadAll("empty"), "");
    EXPECT_EQ(ReadAll("after"), "AFTER");

    PakArchiveWriter writer;
    EXPECT_FALSE(writer.AddFile(std::string(256, 'n'), Bytes("x")));
}

TEST_F(PakInterfaceTest, RefusesDamagedArchivesWhole)
{
    PakArchiveWriter writer;
    ASSERT_TRUE(writer.AddFile("images\\a.png", Bytes("AAAA")));
    ASSERT_TRUE(writer.AddFile("images\\b.png", Bytes("BBBBBBBB")));
    const std::string good = Unscrambled(writer.GetBytes());
    // Header 8 bytes; record: flags, length, 12-byte name, size, time = 26 bytes each.
    const size_t endFlag = 8 + 2 * 26;
    ASSERT_EQ(good.size(), endFlag + 1 + 12);

    std::string badMagic = good;
    badMagic[0] = 0x00;
    std::string badVersion = good;
    badVersion[4] = 0x01;
    std::string hugeSize = good;
    hugeSize[8 + 2 + 12 + 3] = '\x7F';
    std::string wrappingSize = good;
    for (int i = 0; i < 4; ++i)
        wrappingSize[8 + 26 + 2 + 12 + i] = '\xFF';

    struct Case
    {
        const char* what;
        std::string plain;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "too short"},
        {"half a header", good.substr(0, 7), "too short"},
        {"wrong magic", badMagic, "wrong magic"},
        {"wrong version", badVersion, "version 1"},
        {"no directory end", good.substr(0, endFlag), "directory has no end"},
        {"name cut short", good.substr(0, 8 + 2 + 5), "offset 8"},
        {"time cut short", good.substr(0, 8 + 26 + 20), "offset 34"},
        {"data cut short", good.substr(0, good.size() - 1), "'images\\b.png' lies past its end"},
        {"size past the end", hugeSize, "'images\\a.png' lies past its end"},
        {"sizes that wrap 32 bits", wrappingSize, "'images\\b.png' lies past its end"},
    };
    for (const Case& c : cases)
    {
        mFolder.Write("bad.pak", Scrambled(c.plain));
        PakInterface layer;
        EXPECT_FALSE(layer.MountArchive("bad.pak")) << c.what;
        EXPECT_NE(layer.GetErrorMessage().find("Archive bad.pak: "), std::string::npos) << c.what;
        EXPECT_NE(layer.GetErrorMessage().find(c.reason), std::string::npos)
            << c.what << ": " << layer.GetErrorMessage();
        EXPECT_EQ(layer.OpenFile("images\\a.png", "rb"), nullptr) << c.what;
        PakFile* raw = layer.OpenFile("bad.pak", "rb");
        ASSERT_NE(raw, nullptr);
        EXPECT_FALSE(raw->mInArchive) << c.what;
        layer.CloseFile(raw);
    }

    PakInterface layer;
    EXPECT_FALSE(layer.MountArchive("missing.pak"));
    EXPECT_EQ(layer.GetErrorMessage(), "Archive missing.pak: cannot be opened");
    // A refused archive leaves what was mounted before untouched.
    MountFiles("main.pak", {{"images\\a.png", "MAIN"}});
    mFolder.Write("bad.pak", Scrambled(good.substr(0, good.size() - 1)));
    EXPECT_FALSE(mLayer.MountArchive("bad.pak"));
    EXPECT_EQ(ReadAll("images\\a.png"), "MAIN");

    // Bytes after the last file's data are tolerated.
    mFolder.Write("trailing.pak", Scrambled(good + "junk"));
    EXPECT_TRUE(layer.MountArchive("trailing.pak")) << layer.GetErrorMessage();
    EXPECT_TRUE(layer.GetErrorMessage().empty());
}

TEST_F(PakInterfaceTest, FindsArchiveEntriesBeforeFilesOnDisk)
{
    MountFiles(
        "main.pak",
        {{"images\\b.png", "BB"}, {"images\\a.png", "A"}, {"images\\c.jpg", "CCC"}, {"sounds\\a.ogg", "S"}});
    mFolder.Write("images/disk.png", "D");

    auto names = [&](const std::string& pattern)
    {
        std::vector<std::string> found;
        PakFindData data;
        PakSearch* search = mLayer.FindFirstEntry(pattern, &data);
        if (!search)
            return found;
        do
            found.push_back(data.mFileName + (data.mAttributes == 0 ? "" : "@disk"));
        while (mLayer.FindNextEntry(search, &data));
        EXPECT_TRUE(mLayer.EndFind(search));
        return found;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(names("images/*.png"), (Names{"a.png", "b.png", "disk.png@disk"}));
    EXPECT_EQ(names("images\\*.*"), (Names{"a.png", "b.png", "c.jpg", "disk.png@disk"}));
    EXPECT_EQ(names("images\\*"), (Names{"a.png", "b.png", "c.jpg", "disk.png@disk"}));
    EXPECT_EQ(names("sounds\\*"), (Names{"a.ogg"}));
    EXPECT_EQ(names("images\\disk.png"), (Names{"disk.png@disk"}));
    EXPECT_EQ(names("nothing\\*"), Names{});

    PakFindData data;
    PakSearch* search = mLayer.FindFirstEntry("images\\c.*", &data);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(data.mFileName, "c.jpg");
    EXPECT_EQ(data.mFileSize, 3u);
    mLayer.EndFind(search);
}

TEST_F(PakInterfaceTest, ReportsStoredFileTimes)
{
    PakArchiveWriter writer;
    ASSERT_TRUE(writer.AddFile("a", Bytes("A"), 0x01D2345678ABCDEFull));
    ASSERT_TRUE(writer.WriteTo("main.pak"));
    ASSERT_TRUE(mLayer.MountArchive("main.pak"));
    PakFindData data;
    PakSearch* search = mLayer.FindFirstEntry("*", &data);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(data.mFileName, "a");
    EXPECT_EQ(data.mLastWriteTime, 0x01D2345678ABCDEFull);
    EXPECT_EQ(data.mCreationTime, 0x01D2345678ABCDEFull);
    mLayer.EndFind(search);
}

} // namespace

// Closing a file gives back the archive pages it was read from, partly shared
// pages at its ends included; another file open on those pages, a later
// reopen and a release of the whole archive still read the stored bytes.
TEST_F(PakInterfaceTest, ReadsTheSameBytesAfterItsPagesAreGivenBack)
{
    auto pattern = [](char seed, size_t size)
    {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
        return bytes;
    };
    const std::string first = pattern('a', 3 * 4096 + 123);
    const std::string second = pattern('q', 5000);
    const std::string third = pattern('z', 77);
    MountFiles("pages.pak", {{"first.bin", first}, {"second.bin", second}, {"third.bin", third}});

    auto readSome = [&](PakFile* file, size_t count)
    {
        std::string bytes(count, '\0');
        bytes.resize(mLayer.ReadFile(bytes.data(), 1, count, file));
        return bytes;
    };
    FileHandle open = Open("first.bin");
    ASSERT_TRUE(open);
    std::string read = readSome(open.get(), 5000);
    EXPECT_EQ(readSome(Open("second.bin").get(), second.size() + 1), second);
    EXPECT_EQ(readSome(Open("third.bin").get(), 100), third);
    read += readSome(open.get(), 4000);
    mLayer.ReleaseResidentPages();
    read += readSome(open.get(), first.size());
    EXPECT_EQ(read, first);
    open.reset();
    EXPECT_EQ(readSome(Open("first.bin").get(), first.size() + 1), first);
    EXPECT_EQ(readSome(Open("second.bin").get(), second.size() + 1), second);
}
