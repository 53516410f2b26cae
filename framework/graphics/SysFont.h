#pragma once

#include "framework/graphics/Font.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform
{
class FontFace;
}

namespace Quib
{

class DDImage;
class FontHost;

// A font of the desktop, for texts that have no bitmap font: the framework's
// dialogs and controls and the manifest's "!sys:" fonts. Sets the ascent and
// height; the ascent padding and line spacing offset stay 0. Text drawn into
// memory images is rendered over white and over black and the alpha comes
// from the difference, so antialiased edges blend over any background. Text
// drawn into a surface image is blended straight into the surface's pixels,
// its cell one pixel lower than on a memory image, as the desktop draws it.
class SysFont : public Font
{
public:
    SysFont(const std::string& faceName, FontHost* app, int pointSize, int charSet = 0);
    // For the application at a fixed 96 pixels per inch, in the ANSI character set.
    SysFont(int pointSize, const std::string& faceName, bool bold = false, bool italics = false,
            bool underline = false);
    // The same face and size; the shadow and double-draw flags start off.
    SysFont(const SysFont& other);
    SysFont& operator=(const SysFont&) = delete;
    ~SysFont() override;

    int GetStringWidth(const std::string& text) override;
    void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                    const Rect& clipRect) override;
    Font* Clone() override;

    // Rounded a × b / c, halves away from zero; 0 when c is 0.
    static int MulDiv(int a, int b, int c);

    FontHost* mApp = nullptr;
    bool mDrawShadow = false;
    bool mSimulateBold = false;

    // The font as it was asked for, kept so that a copy can make the same one.
    std::string mFaceName;
    int mCharHeight = 0; // pixels of the em square
    bool mBold = false;
    bool mItalic = false;
    bool mUnderline = false;
    int mCharSet = 0;

private:
    // One drawing of the text: offset from the cell's corner, in 0x00RRGGBB.
    struct Pass
    {
        int dx;
        int dy;
        uint32_t rgb;
    };
    // Shadow passes first, then the text, each doubled one pixel right for bold.
    std::vector<Pass> Passes(uint32_t rgb) const;
    void DrawOnSurface(DDImage& image, int left, int top, const std::string& text, uint32_t rgb,
                       const Rect& clipRect);
    void CreateGdiFont(const std::string& faceName, int pointSize, int resolution, bool bold, bool italics,
                       bool underline, int charSet);
    void OpenFace();

    std::unique_ptr<platform::FontFace> mFace;
};

} // namespace Quib
