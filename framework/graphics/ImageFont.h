#pragma once

#include "framework/foundation/CriticalSection.h"
#include "framework/graphics/Font.h"

#include <list>
#include <string>
#include <vector>

namespace Quib
{

class FontData;
class FontHost;
class FontLayer;
class Image;

// A layer of a font's data prepared for one font's point size and scale: its
// image, or a scaled copy of it that this record owns, and where each
// character lies in that image.
class ActiveFontLayer
{
public:
    ActiveFontLayer() = default;
    ActiveFontLayer(const ActiveFontLayer& other);
    ActiveFontLayer& operator=(const ActiveFontLayer&) = delete;
    virtual ~ActiveFontLayer();

    FontLayer* mBaseFontLayer = nullptr;
    Image* mScaledImage = nullptr;
    bool mOwnsImage = false;
    Rect mScaledCharImageRects[256];
};

// The bitmap font: glyph rectangles in layer images described by a shared
// FontData. Each font has its own point size, scale and tags, from which it
// picks the layers it draws; glyph draws are sorted by order, so that for
// instance every shadow glyph lies under every face glyph.
class ImageFont : public Font
{
public:
    ImageFont(FontHost* app, const std::string& fontDescFileName);
    // A one-layer font from an image and a widths file; the image is not owned.
    ImageFont(Image* fontImage, const std::string& widthsFileName);
    ImageFont(const ImageFont& other);
    ImageFont& operator=(const ImageFont&) = delete;
    ~ImageFont() override;

    int GetStringWidth(const std::string& text) override;
    int GetCharWidth(char c) override;
    int GetKernedCharWidth(char c, char prev) override;
    void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                    const Rect& clipRect) override;
    Font* Clone() override;

    virtual void RebuildActiveLayers();
    // Also gives one destination rectangle per glyph draw and the advance width.
    virtual void DrawStringWithRects(Graphics* g, int x, int y, const std::string& text, const Color& color,
                                     const Rect& clipRect, std::vector<Rect>* rects, int* width);
    virtual void SetPointSize(int pointSize);
    virtual int GetPointSize();
    virtual void SetScale(double scale);
    virtual int GetDefaultPointSize();
    virtual bool AddTag(const std::string& tag);
    virtual bool RemoveTag(const std::string& tag);
    virtual bool HasTag(const std::string& tag);
    virtual std::string GetDefineValue(const std::string& name);
    virtual void EnsureActiveLayers();

    // A scaled layer image larger than this many pixels is not made; its glyphs stay empty.
    static constexpr int64_t MAX_SCALED_LAYER_PIXELS = int64_t(1) << 24;
    static constexpr int MAX_DRAW_RECORDS = 4096;

    FontData* mFontData;
    int mPointSize = 0;
    std::vector<std::string> mTagVector; // upper-case
    bool mActiveListValid = false;
    std::list<ActiveFontLayer> mActiveLayerList;
    double mScale = 1.0;

private:
    void BuildScaledLayer(ActiveFontLayer& active, double scaledPointSize);
};

// Around every string draw: the glyph draw records are one pool for the process.
extern CriticalSection gFontDrawLock;

} // namespace Quib
