#include "game/records/ProfileFileNames.h"

#include "game/records/DataFolder.h"
#include "platform/Files.h"
#include "platform/TextEncoding.h"

#include <algorithm>

namespace
{

bool IsControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F;
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Player names are code-page bytes: separators, dots, colons and control
// bytes become "_", and the rest is stored in the system's encoding.
std::string FileNameBase(const std::string& playerName)
{
    std::string base = playerName;
    for (char& c : base)
    {
        if (c == '/' || c == '\\' || c == '.' || c == ':' || IsControl((unsigned char)c))
            c = '_';
    }
    return base.empty() ? std::string("Player") : platform::windows1252ToUtf8(base);
}

bool IsTaken(const std::string& fileName, const std::vector<std::string>& taken,
             const std::vector<platform::DirectoryEntry>& saveFolder)
{
    const std::string onDisk = fileName + ".omsg";
    return std::any_of(taken.begin(), taken.end(),
                       [&](const std::string& name) { return SameFileName(name, fileName); }) ||
           std::any_of(saveFolder.begin(), saveFolder.end(),
                       [&](const platform::DirectoryEntry& entry)
                       { return SameFileName(entry.name, onDisk); });
}

} // namespace

bool IsSafeProfileFileName(const std::string& fileName)
{
    if (fileName.empty() || fileName.find("..") != std::string::npos)
        return false;
    return std::none_of(fileName.begin(), fileName.end(),
                        [](char c)
                        { return c == '/' || c == '\\' || c == ':' || IsControl((unsigned char)c); });
}

bool SameFileName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string MakeProfileFileName(const std::string& playerName, int first,
                                const std::vector<std::string>& taken)
{
    const std::string base = FileNameBase(playerName);
    const std::vector<platform::DirectoryEntry> saveFolder = platform::listDirectory(GetSaveFolder());
    for (int number = std::max(first, 0);; ++number)
    {
        const std::string candidate = base + std::to_string(number);
        if (!IsTaken(candidate, taken, saveFolder))
            return candidate;
    }
}
