#pragma once

#include "framework/graphics/Font.h"

#include <memory>
#include <string>
#include <vector>

namespace Quib
{

class Image;

struct SysFontStyle
{
    std::string mFace;
    int mPointSize = 0;
    bool mBold = false;
    bool mItalic = false;
    bool mUnderline = false;
    bool mShadow = false;
};

// Builds the fonts a manifest declares; the application supplies the system and
// bitmap font classes.
class ResourceFontFactory
{
public:
    virtual ~ResourceFontFactory() = default;

    virtual std::unique_ptr<Font> CreateSysFont(const SysFontStyle& style) = 0;
    // A bitmap font from its descriptor file; null when its font data did not load.
    virtual std::unique_ptr<Font> CreateImageFont(const std::string& descriptorPath) = 0;
    // A bitmap font from a picture and a widths file; null when its font data did not load.
    virtual std::unique_ptr<Font> CreateImageFont(Image* image, const std::string& widthsPath) = 0;
    // Adds the tags to a bitmap font and makes its active layers current; other fonts
    // are left alone.
    virtual void ApplyTags(Font& font, const std::vector<std::string>& tags) = 0;
};

} // namespace Quib
