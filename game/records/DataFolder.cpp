#include "game/records/DataFolder.h"

#include "framework/foundation/DebugPrintf.h"
#include "game/records/SaveFileAccess.h"
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
    if (!SaveFiles().FileExists(folder) && SaveFiles().ChangesFiles() && !platform::directoryExists(folder))
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

bool SaveFileExists(const std::string& path)
{
    return SaveFiles().FileExists(path);
}

std::optional<Quib::Buffer> ReadSaveFile(const std::string& path, bool doNotRecord)
{
    Quib::Buffer buffer;
    if (!SaveFiles().ReadBufferFromFile(path, buffer, doNotRecord))
        return std::nullopt;
    return buffer;
}

bool WriteSaveFile(const std::string& path, const Quib::Buffer& buffer)
{
    if (!SaveFiles().WriteBufferToFile(path, buffer))
    {
        Quib::DebugPrintf("Could not write %s\n", path.c_str());
        return false;
    }
    return true;
}
