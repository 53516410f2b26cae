#include "tools/contentgen/MiniGameData.h"

#include "tools/contentgen/PackFiles.h"

namespace contentgen
{

bool makeMiniGameData(const std::string& contentFolder, PaintContext& context, PackFiles& pack,
                      std::string& error)
{
    if (!pack.copyFolder(contentFolder + "/xml", "xml", error))
        return false;
    if (!makeCargoFloor(pack))
    {
        error = "cannot write the box-pushing floor";
        return false;
    }
    return makeDifferenceScenes(context, pack, error);
}

} // namespace contentgen
