#include "tools/contentcheck/PackFonts.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "tools/contentcheck/PackChecks.h"

namespace contentcheck
{

PackFonts::PackFonts(std::initializer_list<const char*> groups) : mManager(&mHost)
{
    try
    {
        mLoaded = mManager.ReadManifest("properties/resources.xml");
        for (const char* group : groups)
            mLoaded = mLoaded && mManager.LoadGroup(group);
    }
    catch (const Quib::ResourceManagerException&)
    {
        mLoaded = false;
    }
}

Quib::Font* PackFonts::Get(const char* id)
{
    if (!mLoaded)
        return nullptr;
    try
    {
        return mManager.GetFontOrThrow(id);
    }
    catch (const Quib::ResourceManagerException&)
    {
        return nullptr;
    }
}

int wrappedBottom(Quib::Font* font, const std::string& text, int width, int baseline)
{
    Quib::Graphics measure;
    measure.SetFont(font);
    return baseline - font->GetAscent() + font->GetAscentPadding() +
           measure.MeasureWrappedHeight(width, text);
}

std::map<std::string, std::string> readStringTable(Problems& problems)
{
    std::map<std::string, std::string> strings;
    for (auto& [key, text] : readPropertyFile("properties/Strings.xml", "value", problems))
        strings[key] = std::move(text);
    return strings;
}

} // namespace contentcheck
