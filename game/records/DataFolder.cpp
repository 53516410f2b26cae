#include "game/records/DataFolder.h"

#include "framework/foundation/DebugPrintf.h"
#include "framework/foundation/Paths.h"
#include "platform/Environment.h"
#include "platform/Files.h"

std::string GetAppDataPath()
{
    return platform::userDataFolder();
}

std::string GetDataFolder()
{
    return GetAppDataPath() + "Quennivar";
}

bool CreateDataFolder()
{
    const std::string folder = GetDataFolder();
    if (!platform::directoryExists(folder))
        platform::createDirectories(folder);
    return platform::directoryExists(folder);
}

std::string GetSaveFolder()
{
    return GetDataFolder() + "/Save";
}

std::string GetIndexFilePath()
{
    return GetSaveFolder() + "/Data.omsg";
}

std::string GetProfileFilePath(const std::string& fileName)
{
    return GetSaveFolder() + "/" + fileName + ".omsg";
}

std::string GetOptionsFilePath()
{
    return GetDataFolder() + "/options.dat";
}

std::optional<Quib::Buffer> ReadSaveFile(const std::string& path)
{
    std::optional<std::vector<uint8_t>> bytes = platform::readFile(path, kMaxSaveFileBytes);
    if (!bytes)
        return std::nullopt;
    Quib::Buffer buffer;
    buffer.AssignBytes(bytes->data(), bytes->size());
    return buffer;
}

bool WriteSaveFile(const std::string& path, const Quib::Buffer& buffer)
{
    const std::string folder = Quib::DirectoryOfPath(path);
    if (!folder.empty() && !platform::directoryExists(folder))
        platform::createDirectories(folder);
    if (!platform::writeFileAtomic(path, buffer.Bytes(), buffer.ByteCount()))
    {
        Quib::DebugPrintf("Could not write %s\n", path.c_str());
        return false;
    }
    return true;
}
