#include "tools/contentgen/MiniGameData.h"

#include "platform/Files.h"
#include "tools/contentgen/PackFiles.h"

namespace contentgen
{

namespace
{

bool copyLevelFiles(const std::string& contentFolder, PackFiles& pack, std::string& error)
{
    std::vector<platform::DirectoryEntry> entries = platform::listDirectory(contentFolder + "/xml");
    for (const platform::DirectoryEntry& entry : entries)
    {
        if (entry.isDirectory)
            continue;
        std::optional<std::vector<uint8_t>> bytes =
            platform::readFile(contentFolder + "/xml/" + entry.name, 1 << 20);
        if (!bytes || !pack.write("xml/" + entry.name, *bytes))
        {
            error = "cannot copy xml/" + entry.name;
            return false;
        }
    }
    return true;
}

} // namespace

bool makeMiniGameData(const std::string& contentFolder, PaintContext& context, PackFiles& pack,
                      std::string& error)
{
    if (!copyLevelFiles(contentFolder, pack, error))
        return false;
    if (!makeCargoFloor(pack))
    {
        error = "cannot write the box-pushing floor";
        return false;
    }
    return makeDifferenceScenes(context, pack, error);
}

} // namespace contentgen
