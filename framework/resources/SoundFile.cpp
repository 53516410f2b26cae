#include "framework/resources/SoundFile.h"

#include "framework/files/PakFile.h"
#include "framework/files/PakInterfaceBase.h"
#include "platform/Files.h"

#include <climits>

namespace Quib
{

namespace
{

class PakAudioSource : public platform::AudioByteSource
{
public:
    explicit PakAudioSource(PakFile* file) : mFile(file) {}
    ~PakAudioSource() override { PakFileClose(mFile); }
    PakAudioSource(const PakAudioSource&) = delete;
    PakAudioSource& operator=(const PakAudioSource&) = delete;

    size_t read(void* out, size_t bytes) override { return PakFileRead(out, 1, bytes, mFile); }
    bool seek(int64_t offset, int whence) override
    {
        if (offset < LONG_MIN || offset > LONG_MAX)
            return false;
        return PakFileSeek(mFile, long(offset), whence) == 0;
    }
    int64_t tell() override { return PakFileTell(mFile); }

private:
    PakFile* mFile;
};

uint64_t fileTimeFromUnix(int64_t seconds, int64_t nanoseconds)
{
    constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
    const int64_t since1601 = seconds + kSecondsFrom1601To1970;
    if (since1601 < 0)
        return 0;
    return uint64_t(since1601) * 10000000u + uint64_t(nanoseconds / 100);
}

std::string upperCase(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

} // namespace

std::unique_ptr<platform::AudioByteSource> OpenSoundFile(const std::string& name)
{
    PakFile* file = PakFileOpen(name, "rb");
    if (!file)
        return nullptr;
    return std::make_unique<PakAudioSource>(file);
}

std::optional<uint64_t> SoundSourceWriteTime(const std::string& name)
{
    // Archive entries are found by a wildcard search only. The entries are
    // ordered by name, so "NAME*" meets NAME itself first when it is there;
    // archive matches carry no attributes, disk matches do.
    PakInterfaceBase* pak = GetSharedPakInterface();
    if (pak && name.find_first_of("*?") == std::string::npos)
    {
        PakFindData data;
        if (PakSearch* search = pak->FindFirstEntry(name + "*", &data))
        {
            pak->EndFind(search);
            const size_t slash = name.find_last_of("\\/");
            const std::string file = slash == std::string::npos ? name : name.substr(slash + 1);
            if (data.mAttributes == 0 && upperCase(data.mFileName) == upperCase(file))
                return data.mLastWriteTime;
        }
    }
    const auto info = platform::fileInfo(platform::nativePath(name));
    if (!info || info->isDirectory)
        return std::nullopt;
    return fileTimeFromUnix(info->modifiedSeconds, info->modifiedNanoseconds);
}

} // namespace Quib
