#include "framework/graphics/Font.h"
#include "tools/contentcheck/PackChecks.h"
#include "tools/contentcheck/PackFonts.h"

#include <map>

namespace contentcheck
{

namespace
{

// Four previews stand 160 pixels apart along the map's top edge, each with
// its caption centred over it.
constexpr int kPreviewSpacing = 160;
constexpr int kSceneCount = 31;

} // namespace

void checkMapCaptions(const contentgen::ResourceTable& table, Problems& problems)
{
    const std::map<std::string, std::string> strings = readStringTable(problems);
    int previewWidth = 0;
    for (const contentgen::ResourceEntry& entry : table.entries)
        if (entry.id == "IMAGE_MAP_SCENE_NOT_ACCESSIBLE")
            previewWidth = entry.width;
    if (previewWidth > kPreviewSpacing)
        problems.push_back("the map's scene previews are " + std::to_string(previewWidth) +
                           " pixels wide, more than the " + std::to_string(kPreviewSpacing) +
                           " between them");

    PackFonts fonts({"Init"});
    Quib::Font* font = fonts.Get("FONT_SCENE_LABELS");
    if (!font)
    {
        problems.push_back("the map's caption font does not load: " + fonts.GetErrorMessage());
        return;
    }
    for (int scene = 1; scene <= kSceneCount; ++scene)
    {
        const std::string key = "Scene" + std::to_string(scene) + "_NAME";
        auto caption = strings.find(key);
        if (caption == strings.end())
            continue;
        const int width = font->GetStringWidth(caption->second);
        if (width > previewWidth)
            problems.push_back("the map caption \"" + caption->second + "\" of " + key + " is " +
                               std::to_string(width) + " pixels wide, over its " +
                               std::to_string(previewWidth) + "-pixel preview");
    }
}

} // namespace contentcheck
