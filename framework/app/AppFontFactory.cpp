#include "framework/app/AppFontFactory.h"

#include "framework/graphics/FontData.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/SysFont.h"

namespace Quib
{
namespace
{

std::unique_ptr<Font> LoadedOrNull(std::unique_ptr<ImageFont> font)
{
    if (font->mFontData == nullptr || !font->mFontData->mInitialized)
        return nullptr;
    return font;
}

} // namespace

std::unique_ptr<Font> AppFontFactory::CreateSysFont(const SysFontStyle& style)
{
    auto font = std::make_unique<SysFont>(style.mPointSize, style.mFace, style.mBold, style.mItalic,
                                          style.mUnderline);
    font->mDrawShadow = style.mShadow;
    return font;
}

std::unique_ptr<Font> AppFontFactory::CreateImageFont(const std::string& descriptorPath)
{
    return LoadedOrNull(std::make_unique<ImageFont>(&mApp, descriptorPath));
}

std::unique_ptr<Font> AppFontFactory::CreateImageFont(Image* image, const std::string& widthsPath)
{
    return LoadedOrNull(std::make_unique<ImageFont>(image, widthsPath));
}

void AppFontFactory::ApplyTags(Font& font, const std::vector<std::string>& tags)
{
    auto* imageFont = dynamic_cast<ImageFont*>(&font);
    if (imageFont == nullptr)
        return;
    for (const std::string& tag : tags)
        imageFont->AddTag(tag);
    imageFont->EnsureActiveLayers();
}

} // namespace Quib
