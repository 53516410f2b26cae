#pragma once

#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/ContactSheet.h"

#include <string>
#include <vector>

namespace contentgen
{

class PackFiles;
class PaintContext;

// Copies each scene's files from content/scenes into the pack and draws every
// picture they name from its "art" attribute: colour as ".jpg" beside its
// alpha as "_" + ".jpg", as the game looks them up; then the level map's
// preview buttons "content/images/map/SceneN.jpg" and "SceneNo.jpg". Each
// scene's whole picture (every object in place) is added to composites, and
// the pictures of its objects to find, by name, to findables.
bool makeScenes(const std::string& contentFolder, PaintContext& context, PackFiles& pack,
                std::vector<Canvas>& composites, std::vector<std::vector<NamedPicture>>& findables,
                std::string& error);

} // namespace contentgen
