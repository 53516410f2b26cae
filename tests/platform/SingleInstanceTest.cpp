#include "platform/SingleInstance.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace
{

class SingleInstanceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/orvellan-instance-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string folder;
};

TEST_F(SingleInstanceTest, SecondCopyFindsTheLockAndRaisesTheFirst)
{
    SingleInstance first("Orvellan", folder);
    ASSERT_TRUE(first.acquire());
    EXPECT_FALSE(first.takeRaiseRequest());

    SingleInstance second("Orvellan", folder);
    EXPECT_FALSE(second.acquire());
    EXPECT_FALSE(second.isPrimary());
    EXPECT_TRUE(second.notifyPrimary());
    EXPECT_TRUE(second.notifyPrimary());

    EXPECT_TRUE(first.takeRaiseRequest());
    EXPECT_FALSE(first.takeRaiseRequest()); // both requests were taken at once
}

TEST_F(SingleInstanceTest, AnotherProcessHandsOverAndExits)
{
    SingleInstance first("Orvellan", folder);
    ASSERT_TRUE(first.acquire());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        SingleInstance second("Orvellan", folder);
        const bool handedOver = !second.acquire() && second.notifyPrimary();
        _exit(handedOver ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(first.takeRaiseRequest());
}

TEST_F(SingleInstanceTest, LockIsFreedWithTheFirstCopyAndStaleSocketsAreReplaced)
{
    {
        SingleInstance first("Orvellan", folder);
        ASSERT_TRUE(first.acquire());
    }
    EXPECT_FALSE(SingleInstance("Orvellan", folder).notifyPrimary()); // nobody listens any more
    SingleInstance again("Orvellan", folder);
    ASSERT_TRUE(again.acquire());
    SingleInstance later("Orvellan", folder);
    EXPECT_TRUE(later.notifyPrimary());
    EXPECT_TRUE(again.takeRaiseRequest());
}

TEST_F(SingleInstanceTest, NamesCannotLeaveTheFolder)
{
    SingleInstance odd("../../etc/Product Name", folder);
    EXPECT_EQ(odd.lockPath().rfind(folder + "/", 0), 0u);
    EXPECT_EQ(odd.lockPath().find('/', folder.size() + 1), std::string::npos);
    EXPECT_TRUE(odd.acquire());
    SingleInstance other("Other", folder);
    EXPECT_TRUE(other.acquire()); // different names do not exclude each other
}

// Nothing that stands in the lock's place (a folder, a link, a file this
// user may not open) is taken for another running copy: the program starts.
TEST_F(SingleInstanceTest, ALockThatCannotBeHadLetsTheProgramStart)
{
    SingleInstance probe("Orvellan", folder);
    std::filesystem::create_directory(probe.lockPath());
    SingleInstance blocked("Orvellan", folder);
    EXPECT_TRUE(blocked.acquire());
    EXPECT_FALSE(blocked.isPrimary());
    std::filesystem::remove(probe.lockPath());

    std::filesystem::create_symlink(folder + "/elsewhere", probe.lockPath());
    SingleInstance linked("Orvellan", folder);
    EXPECT_TRUE(linked.acquire());
    EXPECT_FALSE(linked.isPrimary());
    EXPECT_FALSE(std::filesystem::exists(folder + "/elsewhere")) << "the link was not followed";
}

// Without a per-user runtime folder the lock lies in the shared temporary
// folder; another user's copy there has a lock of its own.
TEST_F(SingleInstanceTest, TheSharedFolderHoldsOneLockPerUser)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = runtime ? runtime : "";
    unsetenv("XDG_RUNTIME_DIR");
    SingleInstance mine("Orvellan");
    if (!saved.empty())
        setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    EXPECT_EQ(mine.lockPath(), "/tmp/Orvellan-" + std::to_string(getuid()) + ".lock");

    // Another user's copy holding its lock (here: the same name without this
    // user's id) does not stop this user's start.
    const std::string theirs = folder + "/Orvellan.lock";
    const int held = open(theirs.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    SingleInstance me("Orvellan", folder);
    EXPECT_TRUE(me.acquire());
    EXPECT_TRUE(me.isPrimary());
    close(held);
}

} // namespace
