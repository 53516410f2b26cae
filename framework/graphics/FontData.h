#pragma once

#include "framework/graphics/DescParser.h"
#include "framework/graphics/FontLayer.h"

#include <atomic>
#include <cstdint>
#include <list>
#include <map>
#include <string>

namespace Quib
{

class FontHost;
class Image;

// The shared, reference-counted description of a bitmap font, read from a
// font descriptor or from one image with a widths file.
class FontData : public DescParser
{
public:
    using FontLayerList = std::list<FontLayer>;
    using FontLayerMap = std::map<std::string, FontLayer*>;

    FontData();
    ~FontData() override;

    void AddReference();
    // Deletes the object when the last reference goes.
    void Release();

    // Returns false only when already loaded; mInitialized tells whether the descriptor was good.
    bool Load(FontHost* app, const std::string& fontDescFileName);
    bool LoadFromWidthsFile(Image* image, const std::string& widthsFileName);

    FontLayer* FindLayer(DataElement* element);
    bool ElementToColor(DataElement* element, Color& color);
    bool HandleCommand(ListDataElement* params) override;
    bool ReportError(const std::string& text) override;

    // Largest widths file read; each entry is a few bytes.
    static constexpr uint64_t MAX_WIDTHS_FILE_BYTES = 1u << 20;

    bool mInitialized = false;
    std::atomic<int32_t> mRefCount{0};
    FontHost* mApp = nullptr;
    int32_t mDefaultPointSize = 0;
    uint8_t mCharMap[256];
    FontLayerList mFontLayerList;
    FontLayerMap mFontLayerMap;
    std::string mSourceFile;
    std::string mFontErrorHeader;

private:
    FontLayer* CreateNamedLayer(const std::string& name, const FontLayer* source);
    bool LoadLayerImage(FontLayer* layer, const std::string& fileName);
};

} // namespace Quib
