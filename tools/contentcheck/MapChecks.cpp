#include "framework/graphics/Font.h"
#include "framework/resources/ResourceManager.h"
#include "tools/contentcheck/PackChecks.h"
#include "tools/contentgen/PackHost.h"

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
    std::map<std::string, std::string> strings;
    for (auto& [key, text] : readPropertyFile("properties/Strings.xml", "value", problems))
        strings[key] = text;
    int previewWidth = 0;
    for (const contentgen::ResourceEntry& entry : table.entries)
        if (entry.id == "IMAGE_MAP_SCENE_NOT_ACCESSIBLE")
            previewWidth = entry.width;
    if (previewWidth > kPreviewSpacing)
        problems.push_back("the map's scene previews are " + std::to_string(previewWidth) +
                           " pixels wide, more than the " + std::to_string(kPreviewSpacing) +
                           " between them");

    contentgen::PackHost host;
    Quib::ResourceManager manager(&host);
    Quib::Font* font = nullptr;
    try
    {
        if (manager.ReadManifest("properties/resources.xml") && manager.LoadGroup("Init"))
            font = manager.GetFontOrThrow("FONT_SCENE_LABELS");
    }
    catch (const Quib::ResourceManagerException&)
    {
    }
    if (!font)
    {
        problems.push_back("the map's caption font does not load: " + manager.GetErrorMessage());
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
