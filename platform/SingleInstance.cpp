#include "platform/SingleInstance.h"

#include "platform/Environment.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform
{

namespace
{

// Keeps the socket path within what a local socket address can hold.
constexpr size_t kMaximumNameLength = 48;

std::string safeName(std::string_view name)
{
    std::string out;
    for (char c : name.substr(0, kMaximumNameLength))
    {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '.' || c == '-' || c == '_';
        out += ok ? c : '_';
    }
    if (out.empty() || out[0] == '.')
        out.insert(out.begin(), '_');
    return out;
}

bool fillAddress(const std::string& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof(address));
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

} // namespace

SingleInstance::SingleInstance(std::string_view name, std::string folder)
{
    if (folder.empty())
        folder = runtimeFolder();
    if (folder.back() != '/')
        folder += '/';
    const std::string base = folder + safeName(name) + "-" + std::to_string(::getuid());
    mLockPath = base + ".lock";
    mSocketPath = base + ".sock";
}

SingleInstance::~SingleInstance()
{
    if (mListenFd >= 0)
    {
        ::close(mListenFd);
        ::unlink(mSocketPath.c_str());
    }
    if (mLockFd >= 0)
        ::close(mLockFd); // releases the lock; the file stays for the next copy
}

bool SingleInstance::acquire()
{
    if (mLockFd >= 0)
        return true;
    // A link or anything but a plain file in the lock's place, or a file
    // this user may not open, is no sign of another copy.
    const int fd = ::open(mLockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
        return true;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        ::close(fd);
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return !held;
    }
    mLockFd = fd;

    sockaddr_un address;
    if (!fillAddress(mSocketPath, address))
        return true;
    // A socket file left by a copy that died is stale: the lock proves no one
    // else listens on it.
    ::unlink(mSocketPath.c_str());
    const int listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listenFd < 0)
        return true;
    if (::bind(listenFd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(listenFd, 8) != 0)
    {
        ::close(listenFd);
        return true;
    }
    mListenFd = listenFd;
    return true;
}

bool SingleInstance::notifyPrimary()
{
    sockaddr_un address;
    if (!fillAddress(mSocketPath, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool delivered = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    if (delivered)
    {
        const char request = 'R';
        delivered = ::send(fd, &request, 1, MSG_NOSIGNAL) == 1;
    }
    ::close(fd);
    return delivered;
}

bool SingleInstance::takeRaiseRequest()
{
    if (mListenFd < 0)
        return false;
    bool requested = false;
    for (;;)
    {
        const int fd = ::accept4(mListenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
        {
            if (errno == EINTR)
                continue;
            break;
        }
        // The connection itself is the request; whatever it carries is not read.
        requested = true;
        ::close(fd);
    }
    return requested;
}

} // namespace platform
