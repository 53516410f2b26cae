#include "platform/ChildProcess.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <utility>

extern char** environ;

namespace platform
{

ChildProcess::ChildProcess(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return;
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    // The child must not inherit our standard input, and what it prints is not ours.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc == 0)
        mPid = int(pid);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : mPid(std::exchange(other.mPid, -1)), mStatus(std::exchange(other.mStatus, std::nullopt))
{
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other)
    {
        reap(WNOHANG);
        mPid = std::exchange(other.mPid, -1);
        mStatus = std::exchange(other.mStatus, std::nullopt);
    }
    return *this;
}

ChildProcess::~ChildProcess()
{
    reap(WNOHANG);
}

void ChildProcess::reap(int flags)
{
    if (mPid <= 0)
        return;
    int status = 0;
    pid_t result;
    while ((result = ::waitpid(pid_t(mPid), &status, flags)) < 0 && errno == EINTR)
    {
    }
    if (result == 0)
        return; // still running
    mPid = -1;
    if (result < 0)
        mStatus = -1;
    else
        mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::optional<int> ChildProcess::poll()
{
    reap(WNOHANG);
    return mStatus;
}

int ChildProcess::wait()
{
    reap(0);
    return mStatus.value_or(-1);
}

} // namespace platform
