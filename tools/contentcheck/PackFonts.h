#pragma once

#include "framework/resources/ResourceManager.h"
#include "tools/contentgen/PackHost.h"

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace Quib
{
class Font;
}

namespace contentcheck
{

// The pack's fonts as the game loads them: the manifest read from the working
// folder and the named groups loaded, so texts can be measured in the faces
// the screens draw them with.
class PackFonts
{
public:
    explicit PackFonts(std::initializer_list<const char*> groups);

    // Null when the groups did not load or the font is not among them.
    Quib::Font* Get(const char* id);

    std::string GetErrorMessage() const { return mManager.GetErrorMessage(); }

private:
    contentgen::PackHost mHost;
    Quib::ResourceManager mManager;
    bool mLoaded = false;
};

// The bottom of a text wrapped to the width with its first baseline at `baseline`.
int wrappedBottom(Quib::Font* font, const std::string& text, int width, int baseline);

// The string table "properties/Strings.xml", key to text.
std::map<std::string, std::string> readStringTable(std::vector<std::string>& problems);

} // namespace contentcheck
