#include "framework/files/PakArchiveWriter.h"

#include "framework/files/PakFormat.h"
#include "platform/Files.h"

#include <algorithm>
#include <limits>

namespace
{

template <typename T> void PutValue(std::vector<uint8_t>& out, T value)
{
    for (size_t i = 0; i < sizeof(T); ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

} // namespace

bool PakArchiveWriter::AddFile(std::string_view name, std::vector<uint8_t> data, uint64_t fileTime)
{
    if (name.size() > PAK_MAX_NAME_LENGTH || data.size() > std::numeric_limits<uint32_t>::max())
        return false;
    std::string stored(name);
    std::replace(stored.begin(), stored.end(), '/', '\\');
    mFiles.push_back({std::move(stored), std::move(data), fileTime});
    return true;
}

std::vector<uint8_t> PakArchiveWriter::GetBytes() const
{
    std::vector<uint8_t> out;
    PutValue(out, PAK_MAGIC);
    PutValue(out, PAK_VERSION);
    for (const Stored& file : mFiles)
    {
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(file.mName.size()));
        out.insert(out.end(), file.mName.begin(), file.mName.end());
        PutValue(out, static_cast<uint32_t>(file.mData.size()));
        PutValue(out, file.mFileTime);
    }
    out.push_back(PAK_END_OF_DIRECTORY);
    for (const Stored& file : mFiles)
        out.insert(out.end(), file.mData.begin(), file.mData.end());
    for (uint8_t& byte : out)
        byte ^= PAK_SCRAMBLE_KEY;
    return out;
}

bool PakArchiveWriter::WriteTo(std::string_view path) const
{
    std::vector<uint8_t> bytes = GetBytes();
    return platform::writeFileAtomic(path, bytes.data(), bytes.size());
}
