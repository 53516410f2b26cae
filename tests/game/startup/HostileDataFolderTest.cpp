// The game started on data folders in states a player's machine can leave
// them in. Whatever the state, the game starts, tells the player once when a
// save cannot be written, and leaves every file it must not change as it was.

#include "game/records/DataFolder.h"
#include "game/records/OptionsData.h"
#include "game/records/PlayerProfile.h"
#include "platform/FileWriteErrors.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/KeptFolder.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;
using gameharness::GameHarness;
using gameharness::HarnessOptions;
using gameharness::KeptFolder;

std::vector<uint8_t> ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::vector<uint8_t>& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> BytesOf(const Quib::Buffer& buffer)
{
    return {buffer.Bytes(), buffer.Bytes() + buffer.ByteCount()};
}

std::vector<uint8_t> ProfileBytes(const std::string& name, const std::string& fileName)
{
    PlayerProfile profile;
    profile.mName = name;
    profile.mFileName = fileName;
    return BytesOf(profile.Save());
}

// Every entry below the folder, by its path relative to it: a file's bytes,
// a folder as "/", a link as "->" and its target, anything else as "|".
std::map<std::string, std::vector<uint8_t>> Snapshot(const fs::path& folder)
{
    std::map<std::string, std::vector<uint8_t>> entries;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
    {
        const std::string name = fs::relative(entry.path(), folder).generic_string();
        if (entry.is_symlink())
        {
            const std::string target = "->" + fs::read_symlink(entry.path()).string();
            entries[name] = {target.begin(), target.end()};
        }
        else if (entry.is_directory())
            entries[name] = {'/'};
        else if (entry.is_regular_file())
            entries[name] = ReadBytes(entry.path());
        else
            entries[name] = {'|'};
    }
    return entries;
}

int SaveFailureBoxes(const GameHarness& game)
{
    return int(std::count_if(game.Messages().begin(), game.Messages().end(),
                             [](const std::string& text)
                             { return text.find("could not save") != std::string::npos; }));
}

struct Folder
{
    fs::path root;    // $APPDATA
    fs::path data;    // the game's data folder
    fs::path save;    // its save folder
    fs::path outside; // a player's file outside the game's folders
};

struct HostileCase
{
    const char* name;
    // Puts the folder into its state; may install a write fault for the run.
    std::function<void(const Folder&)> prepare;
    // An error number every write into the data folder fails with (0: none).
    int writeFault;
    // Boxes that tell of a failed save: none, or the one of the run.
    int failureBoxes;
    // What the box names and gives as the reason.
    std::string boxNames;
    std::string boxReason;
    // Entries, relative to $APPDATA, that the run may change, make or remove.
    std::set<std::string> mayChange;

    // The shared data folder beside the game's holds the sound cache.
    bool MayChange(const std::string& name) const
    {
        return mayChange.count(name) != 0 || name.starts_with("Orvellan");
    }
};

bool RunningAsRoot()
{
    return ::geteuid() == 0;
}

TEST(HostileDataFolder, TheGameStartsTellsOfFailedSavesOnceAndLeavesOtherFilesAlone)
{
    const std::set<std::string> saves = {"Quennivar/Save/Data.omsg", "Quennivar/Save/Anna0.omsg",
                                         "Quennivar/Save/Bert0.omsg", "Quennivar/options.dat"};
    const HostileCase cases[] = {
        {"a profile file that links to a file outside",
         [](const Folder& f)
         {
             fs::remove(f.save / "Bert0.omsg");
             fs::create_symlink(f.outside, f.save / "Bert0.omsg");
         },
         0, 0, "", "", saves},
        {"a folder where the index belongs",
         [](const Folder& f)
         {
             fs::remove(f.save / "Data.omsg");
             fs::create_directories(f.save / "Data.omsg" / "inside");
         },
         0,
         1,
         "Data.omsg",
         "directory",
         {"Quennivar/options.dat"}},
        // Root writes into a read-only folder regardless: the refusal is stood in for.
        {"a read-only save folder",
         [](const Folder& f) {
             fs::permissions(f.save, fs::perms::owner_read | fs::perms::owner_exec,
                             fs::perm_options::replace);
         },
         RunningAsRoot() ? EACCES : 0,
         1,
         "Quennivar",
         "Permission denied",
         {}},
        {"a pipe where a profile file belongs",
         [](const Folder& f)
         {
             fs::remove(f.save / "Bert0.omsg");
             ASSERT_EQ(::mkfifo((f.save / "Bert0.omsg").c_str(), 0600), 0);
         },
         0,
         0,
         "",
         "",
         {"Quennivar/Save/Data.omsg", "Quennivar/Save/Anna0.omsg", "Quennivar/options.dat"}},
        {"a full disk", [](const Folder&) {}, ENOSPC, 1, "Quennivar", "No space left on device", {}},
        {"an index with a negative count",
         [](const Folder& f) {
             WriteBytes(f.save / "Data.omsg", {0xFF, 0xFF, 5, 0, 'A', 'n', 'n', 'a', '0'});
         },
         0,
         0,
         "",
         "",
         {"Quennivar/Save/Data.omsg", "Quennivar/Save/Data.omsg.unreadable", "Quennivar/options.dat"}},
    };
    for (const HostileCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        KeptFolder kept("orvellan-hostile");
        Folder folder{kept.path, fs::path(kept.path) / "Quennivar",
                      fs::path(kept.path) / "Quennivar" / "Save", fs::path(kept.path) / "outside.omsg"};
        // A player with two profiles, the options and a file of their own beside.
        {
            OptionsData options;
            options.mFullscreen = false;
            Quib::Buffer bytes;
            options.Write(bytes);
            WriteBytes(folder.data / "options.dat", BytesOf(bytes));
        }
        WriteBytes(folder.save / "Anna0.omsg", ProfileBytes("Anna", "Anna0"));
        WriteBytes(folder.save / "Bert0.omsg", ProfileBytes("Bert", "Bert0"));
        {
            Quib::Buffer index;
            index.PutU16(2);
            index.PutText("Anna0");
            index.PutText("Bert0");
            index.PutU16(0);
            WriteBytes(folder.save / "Data.omsg", BytesOf(index));
        }
        WriteBytes(folder.outside, ProfileBytes("Eve", "Eve0"));
        c.prepare(folder);
        const auto before = Snapshot(folder.root);

        {
            const std::string dataFolder = folder.data.string();
            platform::ScopedWriteFault fault(
                [&](std::string_view path)
                { return c.writeFault != 0 && path.starts_with(dataFolder) ? c.writeFault : 0; });
            GameHarness game(HarnessOptions{.dataFolder = kept.path});
            game.Boot();
            game.FinishLoading();
            ASSERT_TRUE(game.Update(5));
            SharkInterface& app = game.App();
            ASSERT_TRUE(app.mLoadingFinished);
            // Saves come at many points of a run: each fails the same way.
            app.SaveProfiles();
            app.SaveProfiles();
            game.RequestClose();
            ASSERT_TRUE(game.RunUntil([&] { return app.mExitDialog != nullptr; }, 50));
            app.OnDialogClosed(0, 0);
            game.RunUntil([&] { return game.IsShutDown(); }, 50);
            EXPECT_TRUE(game.IsShutDown());

            EXPECT_EQ(SaveFailureBoxes(game), c.failureBoxes);
            for (const std::string& text : game.Messages())
            {
                if (text.find("could not save") == std::string::npos)
                    continue;
                EXPECT_NE(text.find(c.boxNames), std::string::npos) << text;
                EXPECT_NE(text.find(c.boxReason), std::string::npos) << text;
            }
        }
        fs::permissions(folder.save, fs::perms::owner_all, fs::perm_options::add);

        const auto after = Snapshot(folder.root);
        for (const auto& [name, bytes] : before)
        {
            if (c.MayChange(name))
                continue;
            const auto found = after.find(name);
            EXPECT_TRUE(found != after.end() && found->second == bytes) << name << " was changed";
        }
        for (const auto& [name, bytes] : after)
            EXPECT_TRUE(before.count(name) != 0 || c.MayChange(name)) << name << " was made";
    }
}

} // namespace
