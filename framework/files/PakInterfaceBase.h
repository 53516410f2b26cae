#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct PakFile;
struct PakSearch;

// What a search reports for one match. Times are Windows FILETIME values
// (100-nanosecond units since 1601-01-01), as stored in archives.
struct PakFindData
{
    std::string mFileName; // without its folder
    uint32_t mFileSize = 0;
    uint64_t mCreationTime = 0;
    uint64_t mLastAccessTime = 0;
    uint64_t mLastWriteTime = 0;
    uint32_t mAttributes = 0;
};

inline constexpr uint32_t PAK_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr uint32_t PAK_ATTRIBUTE_NORMAL = 0x80;

// The file layer that the PakFile functions forward to.
class PakInterfaceBase
{
public:
    virtual PakFile* OpenWide(std::wstring_view name, std::wstring_view mode) = 0;
    virtual PakFile* OpenFile(std::string_view name, std::string_view mode) = 0;
    virtual int CloseFile(PakFile* file) = 0;
    virtual int SeekFile(PakFile* file, long offset, int origin) = 0;
    virtual long TellFile(PakFile* file) = 0;
    virtual size_t ReadFile(void* buffer, size_t elementSize, size_t count, PakFile* file) = 0;
    virtual int ReadChar(PakFile* file) = 0;
    virtual int UnreadChar(int character, PakFile* file) = 0;
    virtual wchar_t* ReadLineWide(wchar_t* buffer, int size, PakFile* file) = 0;
    virtual char* ReadLine(char* buffer, int size, PakFile* file) = 0;
    virtual int AtEndOfFile(PakFile* file) = 0;
    // Null when nothing matches.
    virtual PakSearch* FindFirstEntry(std::string_view pattern, PakFindData* findData) = 0;
    virtual bool FindNextEntry(PakSearch* search, PakFindData* findData) = 0;
    virtual bool EndFind(PakSearch* search) = 0;

protected:
    ~PakInterfaceBase() = default;
};

// The process's published file layer, or null when none is published.
PakInterfaceBase* GetSharedPakInterface();
// Publishes a layer for the whole process (null withdraws it). The first
// PakInterface constructed publishes itself.
void SetSharedPakInterface(PakInterfaceBase* pakInterface);
