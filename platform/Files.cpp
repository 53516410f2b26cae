#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <map>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace platform
{
namespace
{

bool existsRaw(const std::string& path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0;
}

std::string foldCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// A folder's entries by case-folded name. Where two entries fold alike the
// smallest name wins, so the answer never depends on the directory's order.
using FoldedListing = std::unordered_map<std::string, std::string>;

FoldedListing readFoldedListing(const std::string& folder)
{
    FoldedListing listing;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return listing;
    while (dirent* entry = ::readdir(dir))
    {
        std::string name(entry->d_name);
        auto [it, inserted] = listing.emplace(foldCase(name), name);
        if (!inserted && name < it->second)
            it->second = std::move(name);
    }
    ::closedir(dir);
    return listing;
}

struct CachedListing
{
    timespec modified{};
    FoldedListing entries;
};

constexpr size_t kMaxCachedFolders = 512;
// A folder changed this recently may change again within one tick of its
// time stamp, which a cached listing could not tell apart: scan it afresh.
constexpr time_t kSettledSeconds = 2;

// Paths are still looked up at process exit (the leak report is written then),
// after this file's static objects would be destroyed: these live for ever.
std::mutex& gListingMutex = *new std::mutex;
std::map<std::pair<dev_t, ino_t>, CachedListing>& gListings =
    *new std::map<std::pair<dev_t, ino_t>, CachedListing>;

// Finds the entry of folder whose name matches name ignoring case. Misses are
// common (optional files are probed by several names), so the listings of
// folders that have not changed lately are kept, keyed by the folder itself.
std::optional<std::string> findNoCase(const std::string& folder, std::string_view name)
{
    const std::string path = folder.empty() ? "." : folder;
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    const std::string key = foldCase(name);

    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (now.tv_sec - st.st_mtim.tv_sec < kSettledSeconds)
    {
        FoldedListing listing = readFoldedListing(path);
        auto it = listing.find(key);
        return it == listing.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

    std::lock_guard<std::mutex> lock(gListingMutex);
    auto cached = gListings.find({st.st_dev, st.st_ino});
    if (cached == gListings.end() || cached->second.modified.tv_sec != st.st_mtim.tv_sec ||
        cached->second.modified.tv_nsec != st.st_mtim.tv_nsec)
    {
        if (cached == gListings.end() && gListings.size() >= kMaxCachedFolders)
            gListings.clear();
        CachedListing& entry = gListings[{st.st_dev, st.st_ino}];
        entry.modified = st.st_mtim;
        entry.entries = readFoldedListing(path);
        cached = gListings.find({st.st_dev, st.st_ino});
    }
    auto it = cached->second.entries.find(key);
    return it == cached->second.entries.end() ? std::nullopt : std::optional<std::string>(it->second);
}

// Repeats a read or write until all of it is done, the end is reached or a
// real error occurs; interrupted calls are retried.
template <typename Byte, typename Call> size_t transferAll(int fd, Byte* data, size_t size, Call call)
{
    if (fd < 0)
        return 0;
    size_t total = 0;
    while (total < size)
    {
        ssize_t n = call(fd, data + total, size - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += static_cast<size_t>(n);
    }
    return total;
}

} // namespace

std::string slashPath(std::string_view path)
{
    std::string out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::string nativePath(std::string_view path)
{
    std::string fixed = slashPath(path);
    if (fixed.empty() || existsRaw(fixed))
        return fixed;

    // Most misses are a file probed under a name that is not there, in a
    // folder that is: then only the last name needs looking up.
    const size_t slash = fixed.find_last_of('/');
    if (slash != std::string::npos && slash + 1 < fixed.size())
    {
        const std::string folder = slash == 0 ? std::string("/") : fixed.substr(0, slash);
        const std::string_view last(fixed.data() + slash + 1, fixed.size() - slash - 1);
        struct stat st
        {
        };
        if (last != "." && last != ".." && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        {
            auto match = findNoCase(folder, last);
            return fixed.substr(0, slash + 1) + (match ? *match : std::string(last));
        }
    }

    // Walk the components, replacing each that does not exist by its
    // case-insensitive match. Once one has no match, the rest is kept as written.
    std::string result;
    size_t pos = 0;
    if (fixed[0] == '/')
    {
        result = "/";
        pos = 1;
    }
    bool matching = true;
    while (pos <= fixed.size())
    {
        size_t next = fixed.find('/', pos);
        if (next == std::string::npos)
            next = fixed.size();
        std::string_view part(fixed.data() + pos, next - pos);
        if (!part.empty())
        {
            std::string candidate = result;
            if (!candidate.empty() && candidate.back() != '/')
                candidate += '/';
            std::string exact = candidate + std::string(part);
            if (matching && part != "." && part != ".." && !existsRaw(exact))
            {
                auto match = findNoCase(candidate.empty() ? std::string() : candidate, part);
                if (match)
                    exact = candidate + *match;
                else
                    matching = false;
            }
            result = exact;
        }
        else if (next < fixed.size() && !result.empty() && result.back() != '/')
        {
            result += '/';
        }
        pos = next + 1;
    }
    if (!fixed.empty() && fixed.back() == '/' && (result.empty() || result.back() != '/'))
        result += '/';
    return result;
}

std::optional<FileInfo> fileInfo(std::string_view path)
{
    struct stat st
    {
    };
    if (::stat(nativePath(path).c_str(), &st) != 0)
        return std::nullopt;
    FileInfo info;
    info.size = static_cast<uint64_t>(st.st_size);
    info.modifiedSeconds = st.st_mtim.tv_sec;
    info.modifiedNanoseconds = st.st_mtim.tv_nsec;
    info.isDirectory = S_ISDIR(st.st_mode);
    info.isRegular = S_ISREG(st.st_mode);
    return info;
}

bool fileExists(std::string_view path)
{
    auto info = fileInfo(path);
    return info && info->isRegular;
}

bool directoryExists(std::string_view path)
{
    auto info = fileInfo(path);
    return info && info->isDirectory;
}

namespace
{

std::optional<std::vector<uint8_t>> readWhole(std::string_view path, uint64_t maxBytes, File::Links links)
{
    File file;
    if (!file.open(path, File::Mode::Read, links))
        return std::nullopt;
    int64_t size = file.size();
    if (size < 0 || uint64_t(size) > maxBytes)
        return std::nullopt;
    std::vector<uint8_t> data(static_cast<size_t>(size));
    size_t got = data.empty() ? 0 : file.read(data.data(), data.size());
    if (got != data.size())
        return std::nullopt;
    return data;
}

} // namespace

std::optional<std::vector<uint8_t>> readFile(std::string_view path, uint64_t maxBytes)
{
    return readWhole(path, maxBytes, File::Links::Follow);
}

std::optional<std::vector<uint8_t>> readFileNoFollow(std::string_view path, uint64_t maxBytes)
{
    return readWhole(path, maxBytes, File::Links::Refuse);
}

bool writeFile(std::string_view path, const void* data, size_t size)
{
    File file;
    if (!file.open(path, File::Mode::Write))
        return false;
    return file.write(data, size) == size;
}

bool createDirectories(std::string_view path)
{
    std::string fixed = nativePath(path);
    if (fixed.empty())
        return false;
    for (size_t pos = 1; pos <= fixed.size(); ++pos)
    {
        if (pos == fixed.size() || fixed[pos] == '/')
        {
            std::string prefix = fixed.substr(0, pos);
            if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
        }
    }
    return directoryExists(fixed);
}

bool removeFile(std::string_view path)
{
    return ::unlink(nativePath(path).c_str()) == 0;
}

bool removeDirectory(std::string_view path)
{
    return ::rmdir(nativePath(path).c_str()) == 0;
}

bool renameFile(std::string_view from, std::string_view to)
{
    return ::rename(nativePath(from).c_str(), nativePath(to).c_str()) == 0;
}

std::vector<DirectoryEntry> listDirectory(std::string_view path)
{
    std::vector<DirectoryEntry> entries;
    std::string folder = nativePath(path);
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return entries;
    while (dirent* entry = ::readdir(dir))
    {
        std::string name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat st
        {
        };
        bool isDir = ::stat((folder + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries.push_back({name, isDir});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    return entries;
}

std::string currentDirectory()
{
    char buffer[PATH_MAX];
    if (::getcwd(buffer, sizeof buffer) == nullptr)
        return std::string();
    return buffer;
}

bool changeDirectory(std::string_view path)
{
    return ::chdir(nativePath(path).c_str()) == 0;
}

std::string executablePath()
{
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n <= 0 ? std::string() : std::string(buffer, static_cast<size_t>(n));
}

std::string executableFolder()
{
    const std::string path = executablePath();
    if (path.empty())
        return "./";
    return path.substr(0, path.find_last_of('/') + 1);
}

File::~File()
{
    close();
}

File::File(File&& other) noexcept : mFd(other.mFd)
{
    other.mFd = -1;
}

File& File::operator=(File&& other) noexcept
{
    if (this != &other)
    {
        close();
        mFd = other.mFd;
        other.mFd = -1;
    }
    return *this;
}

bool File::open(std::string_view path, Mode mode, Links links)
{
    close();
    // Opening a pipe waits for its other end; not waiting lets the check below
    // refuse it.
    int flags = O_CLOEXEC | O_NONBLOCK | (links == Links::Refuse ? O_NOFOLLOW : 0);
    std::string name;
    switch (mode)
    {
    case Mode::Read:
        flags |= O_RDONLY;
        name = nativePath(path);
        break;
    case Mode::ReadWrite:
        flags |= O_RDWR;
        name = nativePath(path);
        break;
    case Mode::Write:
        flags |= O_WRONLY | O_CREAT | O_TRUNC;
        name = nativePath(path);
        break;
    case Mode::Append:
        flags |= O_WRONLY | O_CREAT | O_APPEND;
        name = nativePath(path);
        break;
    case Mode::CreateNew:
        flags |= O_WRONLY | O_CREAT | O_EXCL;
        name = nativePath(path);
        break;
    }
    mFd = ::open(name.c_str(), flags, 0644);
    if (mFd < 0)
        return false;
    struct stat st
    {
    };
    const int status = ::fcntl(mFd, F_GETFL);
    if (::fstat(mFd, &st) != 0 || !S_ISREG(st.st_mode) || status < 0 ||
        ::fcntl(mFd, F_SETFL, status & ~O_NONBLOCK) != 0)
        close();
    return mFd >= 0;
}

void File::close()
{
    if (mFd >= 0)
    {
        ::close(mFd);
        mFd = -1;
    }
}

size_t File::read(void* buffer, size_t size)
{
    return transferAll(mFd, static_cast<uint8_t*>(buffer), size,
                       [](int fd, uint8_t* at, size_t n) { return ::read(fd, at, n); });
}

size_t File::write(const void* buffer, size_t size)
{
    return transferAll(mFd, static_cast<const uint8_t*>(buffer), size,
                       [](int fd, const uint8_t* at, size_t n) { return ::write(fd, at, n); });
}

bool File::seek(int64_t offset, int whence)
{
    return mFd >= 0 && ::lseek(mFd, static_cast<off_t>(offset), whence) >= 0;
}

int64_t File::tell() const
{
    return mFd >= 0 ? ::lseek(mFd, 0, SEEK_CUR) : -1;
}

int64_t File::size() const
{
    struct stat st
    {
    };
    if (mFd < 0 || ::fstat(mFd, &st) != 0)
        return -1;
    return st.st_size;
}

bool File::flush()
{
    return mFd >= 0 && ::fsync(mFd) == 0;
}

MappedFile::~MappedFile()
{
    close();
}

bool MappedFile::open(std::string_view path)
{
    close();
    int fd = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        ::close(fd);
        return false;
    }
    mSize = static_cast<size_t>(st.st_size);
    if (mSize == 0)
    {
        ::close(fd);
        mOpenEmpty = true;
        return true;
    }
    void* map = ::mmap(nullptr, mSize, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (map == MAP_FAILED)
    {
        mSize = 0;
        return false;
    }
    mData = static_cast<const uint8_t*>(map);
    return true;
}

void MappedFile::releaseResidentPages(const uint8_t* from, size_t length) const
{
    if (!mData || from < mData || from >= mData + mSize || length == 0)
        return;
    const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto base = reinterpret_cast<uintptr_t>(mData);
    const uintptr_t end = std::min(reinterpret_cast<uintptr_t>(from) + length, base + mSize);
    // Whole pages, the partly covered ones at either end included: dropping a
    // neighbour's page only costs it a read from the page cache.
    const uintptr_t first = reinterpret_cast<uintptr_t>(from) & ~(page - 1);
    const uintptr_t last = std::min((end + page - 1) & ~(page - 1), (base + mSize + page - 1) & ~(page - 1));
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

void MappedFile::close()
{
    if (mData)
        ::munmap(const_cast<uint8_t*>(mData), mSize);
    mData = nullptr;
    mSize = 0;
    mOpenEmpty = false;
}

} // namespace platform
