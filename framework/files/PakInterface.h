#pragma once

#include "framework/files/PakInterfaceBase.h"
#include "platform/Files.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One mounted archive, mapped whole for the life of the layer.
struct PakArchive
{
    std::string mPath;
    platform::MappedFile mMapping;
};

struct PakEntry
{
    const PakArchive* mArchive = nullptr;
    std::string mName;      // as stored, with "\" separators
    uint64_t mFileTime = 0; // Windows FILETIME
    uint64_t mStart = 0;    // offset of the data within the archive file
    uint64_t mSize = 0;
};

// The archive layer: names found in a mounted archive are served from its
// mapping, everything else from the disk. Archives are only read, never written.
class PakInterface final : public PakInterfaceBase
{
public:
    PakInterface();
    ~PakInterface();
    PakInterface(const PakInterface&) = delete;
    PakInterface& operator=(const PakInterface&) = delete;

    // Maps the archive and adds its files; a later archive replaces earlier
    // files of the same name. A missing, foreign, corrupt or truncated archive
    // is refused whole, with the reason in GetErrorMessage().
    bool MountArchive(std::string_view path);
    const std::string& GetErrorMessage() const { return mError; }
    // Gives back the resident pages of every mounted archive, also those of
    // files still open or read without a close; a later read brings them back.
    void ReleaseResidentPages() const;

    // The key an archive name is filed under: separators folded to one "\",
    // ".." resolved, upper case, the working folder removed from the front.
    static std::string NormalizePath(std::string_view path);
    static std::string ToUpperCase(std::string_view text);

    PakFile* OpenWide(std::wstring_view name, std::wstring_view mode) override;
    PakFile* OpenFile(std::string_view name, std::string_view mode) override;
    int CloseFile(PakFile* file) override;
    int SeekFile(PakFile* file, long offset, int origin) override;
    long TellFile(PakFile* file) override;
    size_t ReadFile(void* buffer, size_t elementSize, size_t count, PakFile* file) override;
    int ReadChar(PakFile* file) override;
    int UnreadChar(int character, PakFile* file) override;
    wchar_t* ReadLineWide(wchar_t* buffer, int size, PakFile* file) override;
    char* ReadLine(char* buffer, int size, PakFile* file) override;
    int AtEndOfFile(PakFile* file) override;
    PakSearch* FindFirstEntry(std::string_view pattern, PakFindData* findData) override;
    bool FindNextEntry(PakSearch* search, PakFindData* findData) override;
    bool EndFind(PakSearch* search) override;

private:
    bool Refuse(std::string_view path, std::string_view reason);
    bool MatchNextEntry(PakSearch* search, PakFindData* findData) const;

    std::vector<std::unique_ptr<PakArchive>> mArchives;
    std::map<std::string, PakEntry> mEntries;
    std::string mError;
};

// The program's one archive layer, published to the whole process.
extern PakInterface* gPakInterface;
