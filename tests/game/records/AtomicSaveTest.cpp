#include "game/records/DataFolder.h"
#include "game/records/PlayerProfile.h"
#include "tests/game/records/RecordsTestSupport.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{

Quib::Buffer ProfileWithItems(const std::string& name, int items)
{
    PlayerProfile profile;
    profile.mName = name;
    profile.mFileName = "Kill0";
    for (int i = 0; i < items; ++i)
        profile.mUsedItems.mLevels[size_t(i % 19)].mScenes[0].mItemNames.push_back(name + std::to_string(i));
    return profile.Save();
}

// A child saves two different profiles over one file, one after the other, and
// is killed at a random moment. Whatever the moment, the file must be one of
// the two whole files: the assertion holds for every point the kill can land
// on. The child reports each finished save through a pipe, and the parent lets
// a random number of them pass before its random delay, which only spreads
// the points out.
TEST(AtomicSave, AKilledSaveLeavesTheOldOrTheNewWholeFile)
{
    TempDataFolder folder;
    const std::string path = GetProfileFilePath("Kill0");
    const Quib::Buffer first = ProfileWithItems("First", 20000);
    const Quib::Buffer second = ProfileWithItems("Second", 30000);
    const std::vector<uint8_t> firstBytes = BytesOf(first);
    const std::vector<uint8_t> secondBytes = BytesOf(second);
    ASSERT_TRUE(WriteSaveFile(path, first));

    std::mt19937 random(1234);
    std::uniform_int_distribution<int> delay(0, 2000);
    std::uniform_int_distribution<int> finishedSaves(0, 3);
    int endedOnSecond = 0;
    for (int round = 0; round < 40; ++round)
    {
        int saves[2];
        ASSERT_EQ(pipe(saves), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            close(saves[0]);
            for (bool even = true;; even = !even)
            {
                WriteSaveFile(path, even ? second : first);
                const char done = 1;
                if (write(saves[1], &done, 1) != 1)
                    _exit(1);
            }
        }
        close(saves[1]);
        for (int waited = finishedSaves(random); waited > 0; --waited)
        {
            char done = 0;
            ASSERT_EQ(read(saves[0], &done, 1), 1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        close(saves[0]);

        const std::vector<uint8_t> now = FileBytes(path);
        ASSERT_TRUE(now == firstBytes || now == secondBytes)
            << "round " << round << ": " << now.size() << " bytes";
        endedOnSecond += now == secondBytes ? 1 : 0;
    }
    PlayerProfile loaded;
    Quib::Buffer last = BufferOf(FileBytes(path));
    loaded.Load(last);
    EXPECT_TRUE(loaded.mName == "First" || loaded.mName == "Second");
    RecordProperty("rounds ending on the second file", endedOnSecond);
}

} // namespace
