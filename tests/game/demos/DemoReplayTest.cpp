// Every recorded play-through under tests/fixtures/demos/ is played back
// headless at full speed from the save folder it was recorded on. Playback
// hands the recorded file results back instead of touching the player's
// folder, so the folder must be byte for byte what it was before; and the
// game must end as its recording ended: the same screen on top when the
// player closed the game, and records that save to the very bytes the
// recording left in its data folder.
//
// A demo's folder holds "play.dmo", "start/" (the data folder the recording
// began with; missing for a first start), "end/" (the data folder after it)
// and "screen.txt" (the screen it was closed on). scripts/record-demo makes them.

#include "framework/services/DemoFile.h"
#include "game/frontend/SceneScreenMakers.h"
#include "game/records/DataFolder.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/MenuItem.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/KeptFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;
using gameharness::GameHarness;
using gameharness::HarnessOptions;
using gameharness::KeptFolder;

const fs::path kDemos = fs::path(ORVELLAN_FIXTURES_DIR) / "demos";

// Updates a replay may run past the recording's end before it counts as stuck.
constexpr int kGraceUpdates = 3000;

std::vector<uint8_t> ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file and folder below the folder, by its path relative to it; folders have no bytes.
std::map<std::string, std::vector<uint8_t>> FilesBelow(const fs::path& folder)
{
    std::map<std::string, std::vector<uint8_t>> files;
    if (!fs::exists(folder))
        return files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
        files[fs::relative(entry.path(), folder).generic_string() + (entry.is_directory() ? "/" : "")] =
            entry.is_regular_file() ? ReadBytes(entry.path()) : std::vector<uint8_t>{};
    return files;
}

std::vector<uint8_t> BytesOf(const Quib::Buffer& buffer)
{
    return {buffer.Bytes(), buffer.Bytes() + buffer.ByteCount()};
}

// What the records would write now, by their paths below the data folder's parent.
std::map<std::string, std::vector<uint8_t>> SavedRecords(SharkInterface& app, const fs::path& dataFolder)
{
    const auto below = [&](const std::string& path)
    { return fs::relative(fs::path(path), dataFolder).generic_string(); };
    std::map<std::string, std::vector<uint8_t>> records;
    Quib::Buffer options;
    app.mOptions->Write(options);
    records[below(GetOptionsFilePath())] = BytesOf(options);
    records[below(GetIndexFilePath())] = BytesOf(app.mProfiles->WriteIndex());
    for (const auto& profile : app.mProfiles->mProfiles)
        records[below(GetProfileFilePath(profile->mFileName))] = BytesOf(profile->Save());
    return records;
}

std::string ReadLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The screen named by the first "Closing on" line of the log, "" without one.
std::string ClosedOn(const std::string& log)
{
    static const std::string kPrefix = "Closing on ";
    const size_t at = log.find(kPrefix);
    if (at == std::string::npos)
        return "";
    const size_t start = at + kPrefix.size();
    return log.substr(start, log.find('\n', start) - start);
}

std::vector<std::string> DemoNames()
{
    std::vector<std::string> names;
    if (fs::exists(kDemos))
        for (const fs::directory_entry& entry : fs::directory_iterator(kDemos))
            if (entry.is_directory())
                names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class DemoReplay : public testing::TestWithParam<std::string>
{
};

TEST_P(DemoReplay, EndsAsItsRecordingEnded)
{
    const fs::path demo = kDemos / GetParam();
    const fs::path demoFile = demo / "play.dmo";
    ASSERT_TRUE(fs::exists(demoFile)) << demoFile;

    KeptFolder data("orvellan-demo-" + GetParam());
    if (fs::exists(demo / "start"))
        fs::copy(demo / "start", data.path, fs::copy_options::recursive);
    // The player's save folder; the shared data folder beside it holds the sound cache.
    const fs::path saveFolder = fs::path(data.path) / "Quennivar";
    const auto before = FilesBelow(saveFolder);

    std::string log;
    std::map<std::string, std::vector<uint8_t>> records;
    {
        // As the program entry has it.
        RegisterFrontEndSceneScreens();
        GameHarness game(HarnessOptions{.dataFolder = data.path});
        SharkInterface& app = game.App();
        // Refused files end the process at start-up; they are refused here instead.
        Quib::DemoFileHeader header;
        Quib::Buffer events;
        std::string error;
        const std::vector<uint8_t> bytes = ReadBytes(demoFile);
        ASSERT_TRUE(
            Quib::DecodeDemoFile(bytes, demoFile.string(), app.mProductVersion, header, events, error))
            << error;

        const std::string option = "-demofile=" + demoFile.string();
        const char* const arguments[] = {"orvellan", "-play", option.c_str()};
        app.SetCommandLine(3, arguments);
        testing::internal::CaptureStderr();
        game.Boot();
        // The loading is over before play starts; playback holds the game at
        // the update where the recording saw it end.
        game.FinishLoading();
        const int length = app.mDemo.DemoLength();
        app.mMainLoop.mDemoTargetUpdate = length;
        game.RunUntil([&] { return app.mMainLoop.mUpdateCount > length + kGraceUpdates; },
                      length + 2 * kGraceUpdates);
        const bool ended = game.IsShutDown();
        const int updates = app.mMainLoop.mUpdateCount;
        log = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(ended) << "the replay was still running " << updates - length
                           << " updates after the recording's end";
        records = SavedRecords(app, data.path);
    }

    EXPECT_EQ(ClosedOn(log), ReadLine(demo / "screen.txt"));
    const auto after = FilesBelow(saveFolder);
    for (const auto& [name, bytes] : after)
    {
        const auto found = before.find(name);
        if (found == before.end())
            ADD_FAILURE() << name << " was made by the replay";
        else
            EXPECT_TRUE(found->second == bytes) << name << " was changed by the replay";
    }
    for (const auto& [name, bytes] : before)
        EXPECT_TRUE(after.count(name) != 0) << name << " was removed by the replay";

    // Files the recording left that the records do not save now must be the
    // ones it started with; every record must save what the recording saved.
    const auto expected = FilesBelow(demo / "end");
    for (const auto& [name, bytes] : expected)
    {
        if (name.ends_with('/'))
            continue;
        const auto saved = records.find(name);
        if (saved != records.end())
            EXPECT_TRUE(saved->second == bytes) << name << " differs from the recording's";
        else if (const auto kept = before.find(fs::relative(name, "Quennivar").generic_string());
                 kept == before.end() || kept->second != bytes)
            ADD_FAILURE() << name << " was written by the recording, and the replay keeps no record of it";
    }
    for (const auto& [name, bytes] : records)
        EXPECT_TRUE(expected.count(name) != 0) << name << " is a record of the replay only";
}

// A run recorded on a player's folder: the title, then the window's close box
// and yes to the question. Played back on a copy of the same folder, it reads
// and writes nothing there and ends with the records the recording saved.
TEST(DemoRecordAndPlay, PlaybackOfAFreshRecordingLeavesThePlayersFolderAlone)
{
    const fs::path start = kDemos / "returning_level" / "start";
    KeptFolder recorded("orvellan-demo-recorded");
    KeptFolder played("orvellan-demo-played");
    KeptFolder demoFolder("orvellan-demo-file");
    fs::copy(start, recorded.path, fs::copy_options::recursive);
    fs::copy(start, played.path, fs::copy_options::recursive);
    const std::string option = "-demofile=" + demoFolder.path + "/run.dmo";
    RegisterFrontEndSceneScreens();
    {
        GameHarness game(HarnessOptions{.dataFolder = recorded.path});
        const char* const arguments[] = {"orvellan", "-record", option.c_str()};
        game.App().SetCommandLine(3, arguments);
        game.Boot();
        game.FinishLoading();
        game.Update(50);
        game.RequestClose();
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 50));
        CustomDialog* dialog = game.Top<CustomDialog>();
        ASSERT_TRUE(game.RunUntil([&] { return !dialog->IsAnimating(); }, 200));
        const MenuItem& yes = *dialog->mFirstButton;
        game.Click(yes.mX + yes.mWidth / 2, yes.mY + yes.mHeight / 2);
        ASSERT_TRUE(game.RunUntil([&] { return game.IsShutDown(); }, 200));
    }
    const auto saved = FilesBelow(recorded.path);

    const auto before = FilesBelow(fs::path(played.path) / "Quennivar");
    std::map<std::string, std::vector<uint8_t>> records;
    {
        GameHarness game(HarnessOptions{.dataFolder = played.path});
        SharkInterface& app = game.App();
        const char* const arguments[] = {"orvellan", "-play", option.c_str()};
        app.SetCommandLine(3, arguments);
        game.Boot();
        game.FinishLoading();
        const int length = app.mDemo.DemoLength();
        app.mMainLoop.mDemoTargetUpdate = length;
        game.RunUntil([&] { return app.mMainLoop.mUpdateCount > length + kGraceUpdates; },
                      length + 2 * kGraceUpdates);
        ASSERT_TRUE(game.IsShutDown());
        records = SavedRecords(app, played.path);
    }
    EXPECT_TRUE(FilesBelow(fs::path(played.path) / "Quennivar") == before);
    for (const auto& [name, bytes] : records)
    {
        const auto found = saved.find(name);
        ASSERT_TRUE(found != saved.end()) << name;
        EXPECT_EQ(found->second, bytes) << name << " differs from what the recording saved";
    }
}

INSTANTIATE_TEST_SUITE_P(Recorded, DemoReplay, testing::ValuesIn(DemoNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(DemoReplay);

} // namespace
