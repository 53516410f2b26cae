#include "game/records/ProfileList.h"

#include "game/records/DataFolder.h"
#include "game/records/ProfileFileNames.h"
#include "tests/game/records/RecordsTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{

// The read refuses a file this large.
constexpr uint64_t kTooLarge = kMaxSaveFileBytes + 1;

std::unique_ptr<PlayerProfile> Profile(const std::string& name, const std::string& fileName)
{
    auto profile = std::make_unique<PlayerProfile>();
    profile->mName = name;
    profile->mFileName = fileName;
    return profile;
}

ProfileList ThreeProfiles()
{
    ProfileList list("Player");
    list.AddProfile(Profile("Anna", "Anna0"));
    list.AddProfile(Profile("Bert", "Bert0"));
    list.AddProfile(Profile("Cleo", "Cleo0"));
    return list;
}

std::vector<std::string> Names(const ProfileList& list)
{
    return list.GetProfileNames();
}

// The golden file was worked out by hand from the index file's layout.
TEST(IndexFile, ThreeProfilesAndTheHighScoresMatchTheLayout)
{
    TempDataFolder folder;
    ProfileList list = ThreeProfiles();
    list.mCurrentProfileIndex = 1;
    list.GetHighScores().Insert({"Bert", 0, 45, 10, 500});
    ASSERT_TRUE(list.SaveProfiles());
    EXPECT_EQ(FileBytes(folder.Root() + "/Quennivar/Save/Data.omsg"),
              RecordsFixture("index-three-profiles.omsg"));
    EXPECT_EQ(FileBytes(GetProfileFilePath("Anna0")), BytesOf(list.GetProfile(0)->Save()));

    ProfileList read("Other");
    read.LoadSaveData();
    EXPECT_EQ(Names(read), (std::vector<std::string>{"Anna", "Bert", "Cleo"}));
    EXPECT_EQ(read.GetCurrentProfile()->mName, "Bert");
    EXPECT_EQ(read.GetHighScores(), list.GetHighScores());
}

TEST(ProfileList, DeletingMakesThePreviousProfileCurrent)
{
    struct Case
    {
        int current;
        int deleted;
        int currentAfter;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {1, 1, 0, {"Anna", "Cleo"}}, {0, 0, 0, {"Bert", "Cleo"}},         {2, 2, 1, {"Anna", "Bert"}},
        {0, 2, 1, {"Anna", "Bert"}}, {1, 3, 1, {"Anna", "Bert", "Cleo"}},
    };
    for (const Case& c : cases)
    {
        ProfileList list = ThreeProfiles();
        list.mCurrentProfileIndex = c.current;
        list.DeleteProfile(c.deleted);
        EXPECT_EQ(list.mCurrentProfileIndex, c.currentAfter) << c.deleted;
        EXPECT_EQ(Names(list), c.left) << c.deleted;
    }
    ProfileList single("P");
    single.AddProfile(Profile("Solo", "Solo0"));
    single.DeleteProfile(0);
    EXPECT_EQ(single.mCurrentProfileIndex, 0);
    EXPECT_EQ(single.GetCurrentProfile(), nullptr);
}

TEST(ProfileList, LooksProfilesUpOnlyInsideTheList)
{
    ProfileList list = ThreeProfiles();
    EXPECT_EQ(list.mCurrentProfileIndex, 2);
    EXPECT_EQ(list.GetProfile(3), nullptr);
    EXPECT_EQ(list.GetProfile(-1), nullptr);
    list.mCurrentProfileIndex = 7;
    EXPECT_EQ(list.GetCurrentProfile(), nullptr);
    EXPECT_EQ(ProfileList("P").GetCurrentProfile(), nullptr);
}

TEST(ProfileList, StartsEmptyWithoutAnIndex)
{
    TempDataFolder folder;
    ProfileList list("Player");
    list.LoadSaveData();
    EXPECT_EQ(list.GetProfileCount(), 0);
    EXPECT_EQ(list.GetHighScores(), HighScoreList("Player"));
    EXPECT_FALSE(list.IsIndexUnreadable());
}

TEST(ProfileList, ARenamedProfileNeverSharesItsFileWithANewOne)
{
    TempDataFolder folder;
    ProfileList list("P");
    auto anna = std::make_unique<PlayerProfile>();
    anna->mName = "Anna";
    anna->mFileName = list.MakeNewFileName("Anna");
    EXPECT_EQ(anna->mFileName, "Anna0");
    list.AddProfile(std::move(anna));
    list.GetProfile(0)->mName = "Bea";
    ASSERT_TRUE(list.SaveProfiles());

    auto second = std::make_unique<PlayerProfile>();
    second->mName = "Anna";
    second->mFileName = list.MakeNewFileName("Anna");
    second->mHints = 1;
    EXPECT_EQ(second->mFileName, "Anna1");
    list.AddProfile(std::move(second));
    ASSERT_TRUE(list.SaveProfiles());

    ProfileList read("P");
    read.LoadSaveData();
    EXPECT_EQ(Names(read), (std::vector<std::string>{"Bea", "Anna"}));
    EXPECT_EQ(read.GetProfile(1)->mHints, 1);
    EXPECT_EQ(FilesBelow(folder.Root() + "/Quennivar/Save"),
              (std::vector<std::string>{"Anna0.omsg", "Anna1.omsg", "Data.omsg"}));
}

TEST(ProfileList, NewFileNamesAvoidFilesAlreadyInTheSaveFolder)
{
    TempDataFolder folder;
    WriteBytes(GetProfileFilePath("anna0"), {1});
    WriteBytes(GetProfileFilePath("Anna1"), {1});
    ProfileList list("P");
    EXPECT_EQ(list.MakeNewFileName("Anna"), "Anna2");
    // Separators, dots and control bytes never reach a file name; code-page letters do.
    EXPECT_EQ(list.MakeNewFileName("a/b\\c.d\x01"), "a_b_c_d_0");
    EXPECT_EQ(list.MakeNewFileName("J\xFCrgen"), "J\xC3\xBCrgen0");
}

TEST(ProfileFileNames, RefuseAnythingButAPlainName)
{
    const std::pair<std::string, bool> cases[] = {
        {"Anna0", true},     {"J\xC3\xBCrgen0", true}, {"", false},
        {"..", false},       {"../Anna0", false},      {"a/b", false},
        {"a\\b", false},     {"C:Anna", false},        {"Anna\n0", false},
        {"Anna\x7F", false}, {"/etc/passwd", false},   {"x..y", false},
    };
    for (const auto& [name, safe] : cases)
        EXPECT_EQ(IsSafeProfileFileName(name), safe) << name;
}

void WriteIndex(const std::vector<std::string>& fileNames, int current)
{
    Quib::Buffer buffer;
    buffer.PutU16(uint16_t(fileNames.size()));
    for (const std::string& name : fileNames)
        buffer.PutText(name);
    buffer.PutU16(uint16_t(int16_t(current)));
    WriteBytes(GetIndexFilePath(), BytesOf(buffer));
}

void WriteProfile(const std::string& name, const std::string& fileName)
{
    WriteBytes(GetProfileFilePath(fileName), BytesOf(Profile(name, fileName)->Save()));
}

TEST(ProfileList, HostileIndexNamesAreSkippedAndNothingOutsideIsTouched)
{
    TempDataFolder folder;
    const std::string outside = folder.Root() + "/outside.omsg";
    WriteBytes(outside, BytesOf(Profile("Eve", "../../outside")->Save()));
    WriteProfile("Anna", "Anna0");
    // A profile file that names another file as its own is saved where it was read.
    WriteBytes(GetProfileFilePath("Bert0"), BytesOf(Profile("Bert", "../../outside")->Save()));
    WriteIndex({"../../outside", "Anna0", "/tmp/x", "..\\..\\outside", "", "Bert0", "anna0"}, 1);
    const auto outsideBefore = FileBytes(outside);

    ProfileList list("P");
    list.LoadSaveData();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Anna", "Bert"}));
    EXPECT_EQ(list.GetCurrentProfile(), list.GetProfile(0));
    EXPECT_EQ(list.GetProfile(1)->mFileName, "Bert0");
    list.DeleteProfileFile("../../outside");
    ASSERT_TRUE(list.SaveProfiles());

    EXPECT_EQ(FileBytes(outside), outsideBefore);
    EXPECT_EQ(
        FilesBelow(folder.Root()),
        (std::vector<std::string>{"Quennivar", "Quennivar/Save", "Quennivar/Save/Anna0.omsg",
                                  "Quennivar/Save/Bert0.omsg", "Quennivar/Save/Data.omsg", "outside.omsg"}));
}

TEST(ProfileList, AMissingProfileDoesNotHandTheCurrentPlaceToAnother)
{
    struct Case
    {
        const char* name;
        int savedCurrent;
        std::string currentAfter;
    };
    const Case cases[] = {
        {"current before the missing one", 0, "Anna"},
        {"current is the missing one", 1, ""},
        {"current after the missing one", 2, "Cleo"},
    };
    for (const Case& c : cases)
    {
        TempDataFolder folder;
        WriteProfile("Anna", "Anna0");
        WriteProfile("Cleo", "Cleo0");
        WriteIndex({"Anna0", "Bert0", "Cleo0"}, c.savedCurrent);
        ProfileList list("P");
        list.LoadSaveData();
        EXPECT_EQ(Names(list), (std::vector<std::string>{"Anna", "Cleo"})) << c.name;
        const PlayerProfile* current = list.GetCurrentProfile();
        EXPECT_EQ(current ? current->mName : "", c.currentAfter) << c.name;
    }
}

TEST(ProfileList, AnUnreadableIndexIsKeptAsideBeforeANewOneIsWritten)
{
    TempDataFolder folder;
    WriteIndex({"Anna0"}, 0);
    const std::string index = GetIndexFilePath();
    const auto original = FileBytes(index);
    std::filesystem::resize_file(index, kTooLarge);

    ProfileList list("P");
    list.LoadSaveData();
    EXPECT_TRUE(list.IsIndexUnreadable());
    EXPECT_EQ(list.GetProfileCount(), 0);
    list.DeleteProfileFile("Anna0");
    EXPECT_TRUE(std::filesystem::exists(index));

    list.AddProfile(Profile("Dora", "Dora0"));
    ASSERT_TRUE(list.SaveProfiles());
    EXPECT_FALSE(list.IsIndexUnreadable());
    const std::string kept = index + ".unreadable";
    ASSERT_TRUE(std::filesystem::exists(kept));
    EXPECT_EQ(std::filesystem::file_size(kept), kTooLarge);
    EXPECT_EQ(FileStart(kept, original.size()), original);

    ProfileList read("P");
    read.LoadSaveData();
    EXPECT_EQ(Names(read), std::vector<std::string>{"Dora"});
}

TEST(ProfileList, DamagedIndexFilesLoadWhatTheyCan)
{
    TempDataFolder folder;
    WriteProfile("Anna", "Anna0");
    ProfileList saved("P");
    saved.AddProfile(Profile("Anna", "Anna0"));
    saved.SaveIndex();
    const auto whole = FileBytes(GetIndexFilePath());
    for (size_t length = 0; length <= whole.size(); ++length)
    {
        WriteBytes(GetIndexFilePath(), {whole.begin(), whole.begin() + std::ptrdiff_t(length)});
        ProfileList list("P");
        list.LoadSaveData();
        ASSERT_LE(list.GetProfileCount(), 1);
        ASSERT_EQ(list.GetHighScores().GetCount(), 10);
    }
    std::vector<uint8_t> huge = whole;
    huge[0] = 0xFF;
    huge[1] = 0x7F;
    WriteBytes(GetIndexFilePath(), huge);
    ProfileList list("P");
    list.LoadSaveData();
    EXPECT_LE(list.GetProfileCount(), 1);
}

TEST(ProfileList, AProfileThatCannotBeReadStaysInTheIndexAndComesBackOnceItCanBe)
{
    TempDataFolder folder;
    WriteProfile("Anna", "Anna0");
    WriteProfile("Cleo", "Cleo0");
    const std::string bert = GetProfileFilePath("Bert0");
    // A folder where Bert's file belongs: the read fails, the file is left alone.
    std::filesystem::create_directories(bert);
    WriteIndex({"Anna0", "Bert0", "Cleo0"}, 2);

    ProfileList list("P");
    list.LoadSaveData();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Anna", "Cleo"}));
    EXPECT_EQ(list.GetCurrentProfile()->mName, "Cleo");
    // A new player of the same name does not take the name that is kept.
    EXPECT_EQ(list.MakeNewFileName("Bert"), "Bert1");
    ASSERT_TRUE(list.SaveProfiles());
    EXPECT_TRUE(std::filesystem::is_directory(bert));

    std::filesystem::remove(bert);
    WriteProfile("Bert", "Bert0");
    ProfileList again("P");
    again.LoadSaveData();
    EXPECT_EQ(Names(again), (std::vector<std::string>{"Anna", "Cleo", "Bert"}));
    EXPECT_EQ(again.GetCurrentProfile()->mName, "Cleo");
}

// An index that cannot be the list it claims to be is damage, not an empty
// list: it is kept aside, and the profiles' files stay where they are.
TEST(ProfileList, ADamagedIndexIsKeptAsideRatherThanReadAsNoProfiles)
{
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"empty", {}},
        {"negative count", {0xFF, 0xFF, 5, 0, 'A', 'n', 'n', 'a', '0', 0, 0}},
        {"count beyond the file", {3, 0, 5, 0, 'A', 'n', 'n', 'a', '0', 0, 0}},
        {"one byte", {1}},
    };
    for (const auto& [name, bytes] : cases)
    {
        TempDataFolder folder;
        WriteProfile("Anna", "Anna0");
        const auto anna = FileBytes(GetProfileFilePath("Anna0"));
        WriteBytes(GetIndexFilePath(), bytes);
        ProfileList list("P");
        list.LoadSaveData();
        EXPECT_TRUE(list.IsIndexUnreadable()) << name;
        EXPECT_EQ(list.GetProfileCount(), 0) << name;
        ASSERT_TRUE(list.SaveProfiles()) << name;
        EXPECT_EQ(FileBytes(GetIndexFilePath() + ".unreadable"), bytes) << name;
        EXPECT_EQ(FileBytes(GetProfileFilePath("Anna0")), anna) << name;
    }
}

TEST(ProfileList, AddingAProfileWithAFileNameInUseGivesItAnotherName)
{
    TempDataFolder folder;
    ProfileList list("P");
    list.AddProfile(Profile("Anna", "Anna0"));
    auto second = Profile("Anna", "anna0");
    second->mHints = 1;
    list.AddProfile(std::move(second));
    EXPECT_EQ(list.GetProfile(1)->mFileName, "Anna1");
    EXPECT_EQ(list.mCurrentProfileIndex, 1);
    ASSERT_TRUE(list.SaveProfiles());

    ProfileList read("P");
    read.LoadSaveData();
    ASSERT_EQ(read.GetProfileCount(), 2);
    EXPECT_EQ(read.GetProfile(0)->mHints, 6);
    EXPECT_EQ(read.GetProfile(1)->mHints, 1);
}

TEST(ProfileList, AFailedWriteIsReported)
{
    TempDataFolder folder;
    // A folder where the index file belongs cannot be replaced by a file.
    std::filesystem::create_directories(GetIndexFilePath());
    ProfileList list = ThreeProfiles();
    EXPECT_FALSE(list.SaveProfiles());
    EXPECT_TRUE(std::filesystem::exists(GetProfileFilePath("Anna0")));
}

} // namespace
