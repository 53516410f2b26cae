#pragma once

#include <string>
#include <string_view>

namespace platform
{

// Keeps one copy of the program running per user. The first copy holds a lock
// file and listens on a local socket beside it; a later copy finds the lock
// taken and asks the first, over the socket, to raise its window. The lock's
// name carries the user's id, so that in a folder shared by all users one
// user's copy never stops another user's.
class SingleInstance
{
public:
    // The name and the user's id pick the lock (characters other than
    // letters, digits, '.', '-' and '_' become '_'); the folder defaults to
    // runtimeFolder().
    explicit SingleInstance(std::string_view name, std::string folder = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy goes on: it is the first, holds the lock and
    // listens for requests until destruction; or no lock can be had here at
    // all (isPrimary stays false), which must not keep the program from
    // starting. False only when another copy holds the lock.
    bool acquire();
    bool isPrimary() const { return mLockFd >= 0; }

    // A later copy: asks the copy holding the lock to come to the front. True
    // when the request was delivered.
    bool notifyPrimary();

    // The first copy: true when at least one request arrived since the last
    // call. Never blocks.
    bool takeRaiseRequest();

    const std::string& lockPath() const { return mLockPath; }
    const std::string& socketPath() const { return mSocketPath; }

private:
    std::string mLockPath;
    std::string mSocketPath;
    int mLockFd = -1;
    int mListenFd = -1;
};

} // namespace platform
