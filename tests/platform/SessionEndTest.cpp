#include "platform/SessionEnd.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{

constexpr int kInterrupted = 3;
constexpr int kNotInterrupted = 4;

// A child that watches for stop requests and then blocks reading a pipe that
// nobody writes to. A watchdog alarm ends a child the request never reached.
pid_t StartBlockedChild()
{
    int never[2];
    if (::pipe(never) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0)
    {
        platform::watchSessionEnd();
        ::alarm(60);
        char got;
        const ssize_t n = ::read(never[0], &got, 1);
        ::_exit(n < 0 && platform::takeSessionEnd() ? kInterrupted : kNotInterrupted);
    }
    ::close(never[0]);
    return child;
}

// Whether the process is inside the read system call now.
bool BlockedInRead(pid_t process)
{
    std::ifstream in("/proc/" + std::to_string(process) + "/syscall");
    std::string number;
    return in >> number && number == "0";
}

} // namespace

TEST(SessionEnd, AStopRequestEndsAProgramBlockedInACall)
{
    const pid_t child = StartBlockedChild();
    ASSERT_GT(child, 0);
    for (int wait = 0; wait < 30000 && !BlockedInRead(child); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(BlockedInRead(child));
    ::kill(child, SIGTERM);

    // A read resumed after the request would block until the watchdog.
    int status = 0;
    pid_t ended = 0;
    for (int wait = 0; wait < 20000 && ended == 0; ++wait)
    {
        ended = ::waitpid(child, &status, WNOHANG);
        if (ended == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (ended == 0)
    {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        FAIL() << "the stop request did not end the blocked call";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kInterrupted) << "status " << status;
}
