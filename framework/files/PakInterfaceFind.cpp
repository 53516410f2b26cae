#include "framework/files/PakInterface.h"

#include <memory>

// A find in progress: archive entries first (in key order, after the last one
// reported), then the disk.
struct PakSearch
{
    std::string mPattern; // normalised
    bool mHasLastKey = false;
    std::string mLastKey;
    bool mOnDisk = false;
    std::vector<PakFindData> mDiskMatches;
    size_t mDiskNext = 0;
};

namespace
{

constexpr int64_t kFileTimeUnitsPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Wildcards as a Windows folder search reads them: '*' any run, '?' one
// character, case ignored; "*.*" matches every name.
bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    if (pattern == "*.*")
        return true;
    size_t p = 0;
    size_t n = 0;
    size_t starAt = std::string_view::npos;
    size_t resumeAt = 0;
    while (n < name.size())
    {
        if (p < pattern.size() && (pattern[p] == '?' || UpperAscii(pattern[p]) == UpperAscii(name[n])))
        {
            ++p;
            ++n;
        }
        else if (p < pattern.size() && pattern[p] == '*')
        {
            starAt = p++;
            resumeAt = n;
        }
        else if (starAt != std::string_view::npos)
        {
            p = starAt + 1;
            n = ++resumeAt;
        }
        else
        {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

uint64_t ToFileTime(int64_t seconds, int64_t nanoseconds)
{
    return static_cast<uint64_t>((seconds + kSecondsFrom1601To1970) * kFileTimeUnitsPerSecond +
                                 nanoseconds / 100);
}

std::vector<PakFindData> FindOnDisk(const std::string& pattern)
{
    size_t split = pattern.rfind('\\');
    std::string folder =
        split == std::string::npos ? std::string(".") : pattern.substr(0, split == 0 ? 1 : split);
    std::string namePattern = split == std::string::npos ? pattern : pattern.substr(split + 1);
    std::string nativeFolder = platform::nativePath(folder);

    std::vector<PakFindData> matches;
    for (const platform::DirectoryEntry& item : platform::listDirectory(nativeFolder))
    {
        if (!WildcardMatch(namePattern, item.name))
            continue;
        PakFindData data;
        data.mFileName = item.name;
        data.mAttributes = item.isDirectory ? PAK_ATTRIBUTE_DIRECTORY : PAK_ATTRIBUTE_NORMAL;
        if (auto info = platform::fileInfo(nativeFolder + "/" + item.name))
        {
            data.mFileSize = static_cast<uint32_t>(info->size);
            data.mLastWriteTime = ToFileTime(info->modifiedSeconds, info->modifiedNanoseconds);
            data.mCreationTime = data.mLastWriteTime;
            data.mLastAccessTime = data.mLastWriteTime;
        }
        matches.push_back(std::move(data));
    }
    return matches;
}

bool NextOnDisk(PakSearch* search, PakFindData* findData)
{
    if (search->mDiskNext >= search->mDiskMatches.size())
        return false;
    *findData = search->mDiskMatches[search->mDiskNext++];
    return true;
}

bool StartOnDisk(PakSearch* search, PakFindData* findData)
{
    search->mOnDisk = true;
    search->mDiskMatches = FindOnDisk(search->mPattern);
    search->mDiskNext = 0;
    return NextOnDisk(search, findData);
}

} // namespace

bool PakInterface::MatchNextEntry(PakSearch* search, PakFindData* findData) const
{
    const std::string& pattern = search->mPattern;
    size_t star = pattern.find('*');
    if (star == std::string::npos)
        return false;
    std::string_view prefix(pattern.data(), star);
    std::string_view suffix = std::string_view(pattern).substr(star + 1);

    auto it = search->mHasLastKey ? mEntries.upper_bound(search->mLastKey)
                                  : mEntries.lower_bound(std::string(prefix));
    for (; it != mEntries.end(); ++it)
    {
        const std::string& key = it->first;
        if (!key.starts_with(prefix))
            break;
        if (!suffix.empty() && suffix != ".*" && !key.ends_with(suffix))
            continue;
        const PakEntry& entry = it->second;
        size_t slash = entry.mName.rfind('\\');
        findData->mFileName = slash == std::string::npos ? entry.mName : entry.mName.substr(slash + 1);
        findData->mFileSize = static_cast<uint32_t>(entry.mSize);
        findData->mCreationTime = entry.mFileTime;
        findData->mLastAccessTime = entry.mFileTime;
        findData->mLastWriteTime = entry.mFileTime;
        findData->mAttributes = 0;
        search->mHasLastKey = true;
        search->mLastKey = key;
        return true;
    }
    return false;
}

PakSearch* PakInterface::FindFirstEntry(std::string_view pattern, PakFindData* findData)
{
    auto search = std::make_unique<PakSearch>();
    search->mPattern = NormalizePath(pattern);
    if (MatchNextEntry(search.get(), findData) || StartOnDisk(search.get(), findData))
        return search.release();
    return nullptr;
}

bool PakInterface::FindNextEntry(PakSearch* search, PakFindData* findData)
{
    if (!search)
        return false;
    if (search->mOnDisk)
        return NextOnDisk(search, findData);
    return MatchNextEntry(search, findData) || StartOnDisk(search, findData);
}

bool PakInterface::EndFind(PakSearch* search)
{
    delete search;
    return true;
}
