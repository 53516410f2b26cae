#include "platform/SingleInstance.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
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

} // namespace
