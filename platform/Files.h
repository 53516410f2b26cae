#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

// The one path function for every file the program opens. Backslashes become
// slashes; when the name does not exist as written, each folder level is looked
// up case-insensitively (ASCII), so data written for a case-insensitive file
// system is found. A name with no match comes back with the separators fixed.
std::string nativePath(std::string_view path);

// Separators fixed, nothing looked up: for names that are about to be created.
std::string slashPath(std::string_view path);

struct FileInfo
{
    uint64_t size = 0;
    int64_t modifiedSeconds = 0; // seconds since the Unix epoch
    int64_t modifiedNanoseconds = 0;
    bool isDirectory = false;
    bool isRegular = false; // neither a folder nor a pipe, socket or device
};

std::optional<FileInfo> fileInfo(std::string_view path);
bool fileExists(std::string_view path); // a regular file: nothing that could block its reader
bool directoryExists(std::string_view path);

// Reads a whole file; nullopt when it cannot be opened, read, or is larger than maxBytes.
std::optional<std::vector<uint8_t>> readFile(std::string_view path, uint64_t maxBytes = uint64_t(1) << 31);
// The same for a file that a symbolic link in its place must not lead to
// another of the user's files.
std::optional<std::vector<uint8_t>> readFileNoFollow(std::string_view path, uint64_t maxBytes);
bool writeFile(std::string_view path, const void* data, size_t size);
// Writes to a temporary file in the same folder, flushes it to disk and renames
// it over the target, so the previous contents survive a crash or a full disk.
// Each write has a temporary of its own, so threads and processes saving the
// same file do not disturb each other, and the temporaries that writers which
// died mid-save left behind for the same target are removed first.
bool writeFileAtomic(std::string_view path, const void* data, size_t size);

bool createDirectories(std::string_view path);
bool removeFile(std::string_view path);
bool removeDirectory(std::string_view path); // an empty folder
bool renameFile(std::string_view from, std::string_view to);

struct DirectoryEntry
{
    std::string name;
    bool isDirectory = false;
    bool isRegular = false; // neither a folder nor a pipe, socket or device
};
// The entries of a folder except "." and "..", sorted by name.
std::vector<DirectoryEntry> listDirectory(std::string_view path);

std::string currentDirectory();
bool changeDirectory(std::string_view path);
// The running executable's path; "" when the system does not tell it.
std::string executablePath();
// The folder that holds the running executable, with a trailing slash.
std::string executableFolder();

// A file opened for byte-level access. Closed on destruction. Only regular
// files open: a pipe, socket or device in a file's place would block or
// feed its reader without end, so it is refused without waiting on it.
class File
{
public:
    enum class Mode
    {
        Read,
        Write,  // create or truncate
        Append, // create or append
        ReadWrite,
        CreateNew // create; fails when the name exists
    };

    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    enum class Links
    {
        Follow,
        Refuse // a symbolic link as the last part of the name fails the open
    };

    bool open(std::string_view path, Mode mode, Links links = Links::Follow);
    void close();
    bool isOpen() const { return mFd >= 0; }

    // Returns the number of bytes read or written; 0 at the end or on error.
    size_t read(void* buffer, size_t size);
    size_t write(const void* buffer, size_t size);
    bool seek(int64_t offset, int whence); // whence: SEEK_SET, SEEK_CUR, SEEK_END
    int64_t tell() const;
    int64_t size() const;
    bool flush(); // to the disk

private:
    int mFd = -1;
};

// A read-only memory map of a whole file.
class MappedFile
{
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool open(std::string_view path);
    void close();
    bool isOpen() const { return mData != nullptr || mOpenEmpty; }
    const uint8_t* data() const { return mData; }
    size_t size() const { return mSize; }
    // Lets the system drop the resident pages that hold [from, from + length)
    // of the mapping; a later read brings them back from the file, so the
    // data seen never changes.
    void releaseResidentPages(const uint8_t* from, size_t length) const;
    void releaseResidentPages() const { releaseResidentPages(mData, mSize); }

private:
    const uint8_t* mData = nullptr;
    size_t mSize = 0;
    bool mOpenEmpty = false;
};

} // namespace platform
