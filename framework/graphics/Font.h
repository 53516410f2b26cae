#pragma once

#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"

#include <cstdint>
#include <string>

namespace Quib
{

class Graphics;

// The abstract font: four vertical metrics, widths of strings and characters,
// and a draw at a baseline. Characters are single bytes of the system's code page.
class Font
{
public:
    Font() = default;
    Font(const Font& other) = default;
    Font& operator=(const Font&) = delete;
    virtual ~Font() = default;

    virtual int GetAscent() { return mAscent; }
    virtual int GetAscentPadding() { return mAscentPadding; }
    virtual int GetDescent() { return mHeight - mAscent; }
    virtual int GetHeight() { return mHeight; }
    virtual int GetLineSpacingOffset() { return mLineSpacingOffset; }
    virtual int GetLineSpacing() { return mHeight + mLineSpacingOffset; }
    virtual int GetStringWidth(const std::string& text);
    virtual int GetCharWidth(char c);
    // The advance of c when it follows prev (0: nothing before it).
    virtual int GetKernedCharWidth(char c, char prev);
    // y is the baseline.
    virtual void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                            const Rect& clipRect);
    virtual Font* Clone() = 0;

    int32_t mAscent = 0;
    // The part of the ascent that wrapped text may let stand out above its rectangle.
    int32_t mAscentPadding = 0;
    int32_t mHeight = 0;
    int32_t mLineSpacingOffset = 0;
};

} // namespace Quib
