#include "platform/FileWriteErrors.h"
#include "platform/Files.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <signal.h>
#include <unistd.h>

namespace platform
{
namespace
{

// A temporary is named <target>.tmp<process id>.<serial>: the process id tells
// whether its writer is still alive, the serial keeps one process's writes apart.
constexpr std::string_view kTempMark = ".tmp";
constexpr int kNameAttempts = 100;

std::mutex gLiveMutex;
std::set<std::string> gLiveTemporaries; // being written by this process now
std::atomic<uint64_t> gSerial{0};

std::mutex gFaultMutex;
WriteFaultHook gWriteFault;

int injectedFault(std::string_view path)
{
    std::lock_guard lock(gFaultMutex);
    return gWriteFault ? gWriteFault(path) : 0;
}

struct SplitPath
{
    std::string folder;
    std::string name;
};

SplitPath splitPath(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// The process that wrote a temporary of the target, from the rest of its name
// after "<target>.tmp"; 0 when the name is not such a temporary. Names without
// a serial come from writers that knew no serials.
pid_t writerOf(std::string_view rest)
{
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (error != std::errc() || pid <= 0)
        return 0;
    std::string_view serial(end, size_t(rest.data() + rest.size() - end));
    if (serial.empty())
        return pid;
    if (serial.size() < 2 || serial[0] != '.' ||
        serial.find_first_not_of("0123456789", 1) != std::string_view::npos)
        return 0;
    return pid;
}

bool isStale(const std::string& path, pid_t writer)
{
    if (writer == ::getpid())
    {
        std::lock_guard lock(gLiveMutex);
        return gLiveTemporaries.count(path) == 0;
    }
    return ::kill(writer, 0) != 0 && errno == ESRCH;
}

void removeStaleTemporaries(const SplitPath& target)
{
    DIR* dir = ::opendir(target.folder.c_str());
    if (dir == nullptr)
        return;
    const std::string prefix = target.name + std::string(kTempMark);
    while (const dirent* entry = ::readdir(dir))
    {
        const std::string_view name(entry->d_name);
        if (!name.starts_with(prefix))
            continue;
        const pid_t writer = writerOf(name.substr(prefix.size()));
        const std::string path = target.folder + "/" + std::string(name);
        if (writer != 0 && isStale(path, writer))
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

// A temporary this process is writing; the name stays live until the object goes.
class Temporary
{
public:
    explicit Temporary(const std::string& target)
    {
        for (int attempt = 0; attempt < kNameAttempts && !mFile.isOpen(); ++attempt)
        {
            std::string path = target + std::string(kTempMark) + std::to_string(::getpid()) + "." +
                               std::to_string(++gSerial);
            {
                std::lock_guard lock(gLiveMutex);
                gLiveTemporaries.insert(path);
            }
            if (mFile.open(path, File::Mode::CreateNew))
                mPath = std::move(path);
            else
                forget(path);
        }
    }
    ~Temporary()
    {
        mFile.close();
        if (!mPath.empty())
        {
            if (!mRenamed)
                ::unlink(mPath.c_str());
            forget(mPath);
        }
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    bool write(const void* data, size_t size)
    {
        const bool written = mFile.write(data, size) == size && mFile.flush();
        mFile.close();
        return written;
    }
    bool renameTo(const std::string& target)
    {
        mRenamed = ::rename(mPath.c_str(), target.c_str()) == 0;
        return mRenamed;
    }
    bool isOpen() const { return mFile.isOpen(); }

private:
    static void forget(const std::string& path)
    {
        std::lock_guard lock(gLiveMutex);
        gLiveTemporaries.erase(path);
    }

    File mFile;
    std::string mPath;
    bool mRenamed = false;
};

} // namespace

bool writeFileAtomic(std::string_view path, const void* data, size_t size)
{
    int error = 0;
    return writeFileAtomic(path, data, size, error);
}

bool writeFileAtomic(std::string_view path, const void* data, size_t size, int& error)
{
    const std::string target = nativePath(path);
    int failure = injectedFault(target);
    if (failure == 0)
    {
        const SplitPath split = splitPath(target);
        removeStaleTemporaries(split);
        Temporary temporary(target);
        if (!temporary.isOpen())
            failure = errno;
        else if (!temporary.write(data, size) || !temporary.renameTo(target))
            failure = errno;
        else
        {
            // Make the rename itself durable.
            const int folder = ::open(split.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (folder >= 0)
            {
                ::fsync(folder);
                ::close(folder);
            }
            return true;
        }
    }
    error = failure != 0 ? failure : EIO;
    return false;
}

std::string errorText(int error)
{
    char text[256] = {};
    return ::strerror_r(error, text, sizeof text);
}

void setWriteFaultHook(WriteFaultHook hook)
{
    std::lock_guard lock(gFaultMutex);
    gWriteFault = std::move(hook);
}

} // namespace platform
