#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform
{

// A program run without a shell, found on the PATH, with its standard streams
// on /dev/null. Starting it does not wait for it.
class ChildProcess
{
public:
    ChildProcess() = default;
    // Not started when the program cannot be run.
    explicit ChildProcess(const std::vector<std::string>& argv);
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // A child still running is left to finish on its own.
    ~ChildProcess();

    bool started() const { return mPid > 0 || mStatus.has_value(); }
    // The exit code once the child has ended (-1 when a signal ended it);
    // nothing while it runs. Never waits.
    std::optional<int> poll();
    // Waits for the child to end; its exit code as poll gives it.
    int wait();

private:
    void reap(int flags);

    int mPid = -1;
    std::optional<int> mStatus;
};

} // namespace platform
