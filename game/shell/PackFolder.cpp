#include "game/shell/PackFolder.h"

#include "platform/Files.h"

namespace
{

const char* const kArchive = "main.pak";
// The loose pack, as the content generator writes it, has no archive.
const char* const kManifest = "properties/resources.xml";
const char* const kInstalledFromBin = "../share/orvellan/";

bool HoldsPack(const std::string& folder)
{
    return platform::fileExists(folder + kArchive) || platform::fileExists(folder + kManifest);
}

} // namespace

std::string FindPackFolder(const std::string& programFolder)
{
    if (programFolder.empty())
        return programFolder;
    const std::string folder = programFolder.back() == '/' ? programFolder : programFolder + "/";
    if (HoldsPack(folder))
        return programFolder;
    const std::string installed = folder + kInstalledFromBin;
    return HoldsPack(installed) ? installed : programFolder;
}
