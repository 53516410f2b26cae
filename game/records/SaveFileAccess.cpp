#include "game/records/SaveFileAccess.h"

#include "framework/foundation/Paths.h"
#include "game/records/DataFolder.h"
#include "platform/Files.h"

namespace
{

SaveFileAccess* gInstalled = nullptr;

} // namespace

bool DirectSaveFiles::FileExists(const std::string& path)
{
    return platform::fileExists(path);
}

bool DirectSaveFiles::ReadBufferFromFile(const std::string& path, Quib::Buffer& buffer, bool)
{
    std::optional<std::vector<uint8_t>> bytes = platform::readFile(path, kMaxSaveFileBytes);
    if (!bytes)
        return false;
    buffer.Reset();
    buffer.AssignBytes(bytes->data(), bytes->size());
    return true;
}

bool DirectSaveFiles::WriteBufferToFile(const std::string& path, const Quib::Buffer& buffer)
{
    const std::string folder = Quib::DirectoryOfPath(path);
    if (!folder.empty() && !platform::directoryExists(folder))
        platform::createDirectories(folder);
    return platform::writeFileAtomic(path, buffer.Bytes(), buffer.ByteCount());
}

SaveFileAccess& SaveFiles()
{
    static DirectSaveFiles direct;
    return gInstalled != nullptr ? *gInstalled : direct;
}

ScopedSaveFileAccess::ScopedSaveFileAccess(SaveFileAccess& access) : mPrevious(gInstalled)
{
    gInstalled = &access;
}

ScopedSaveFileAccess::~ScopedSaveFileAccess()
{
    gInstalled = mPrevious;
}
