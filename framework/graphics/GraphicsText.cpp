#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"

#include <algorithm>

namespace Quib
{
namespace
{

// A colour code is '^', six characters and a closing one.
constexpr int kCodeLength = 8;

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

// The colour value of the code whose '^' stands at pos; at least eight characters remain.
uint32_t ReadCode(const std::string& text, size_t pos, int32_t oldColor)
{
    if (text[pos + 1] == 'o')
        return text.compare(pos + 1, 6, "oldclr") == 0 ? uint32_t(oldColor) : 0;
    uint32_t value = 0;
    for (size_t k = 1; k <= 6; ++k)
        value = value << 4 | uint32_t(HexDigit(text[pos + k]));
    return value;
}

} // namespace

int Graphics::DrawStringWithColorCodes(const std::string& text, int x, int y, int justifyWidth,
                                       int justification, bool draw, int index, int length, int32_t oldColor)
{
    Font* font = GetFont();
    if (!font)
        return 0;
    if (oldColor == -1)
        oldColor = int32_t(GetColor().PackARGB());

    if (draw && (justification == 0 || justification == 1))
    {
        const int width =
            DrawStringWithColorCodes(text, x, y, justifyWidth, -1, false, index, length, oldColor);
        x += justification == 0 ? (justifyWidth - width) / 2 : justifyWidth - width;
    }

    const int64_t size = int64_t(text.size());
    const int64_t start = std::clamp<int64_t>(index, 0, size);
    int64_t end = start + length;
    if (length < 0 || end > size)
        end = size;

    const bool codes = mColorCodesEnabled;
    std::string segment;
    int runningWidth = 0;
    for (int64_t i = start; i < end;)
    {
        const char c = text[size_t(i)];
        if (c != '^' || !codes)
        {
            segment += c;
            ++i;
            continue;
        }
        if (i + 1 < end && text[size_t(i + 1)] == '^')
        {
            segment += '^';
            i += 2;
            continue;
        }
        if (i > end - kCodeLength)
            break;
        const uint32_t value = ReadCode(text, size_t(i), oldColor);
        if (draw)
        {
            DrawString(segment, x + runningWidth, y);
            SetColor(
                Color(int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF), GetColor().mAlpha));
        }
        runningWidth += font->GetStringWidth(segment);
        segment.clear();
        i += kCodeLength;
    }
    if (draw)
        DrawString(segment, x + runningWidth, y);
    return runningWidth + font->GetStringWidth(segment);
}

int Graphics::DrawWrappedLine(int startIndex, int count, const std::string& text, int x, int y, int width,
                              int justification, int32_t oldColor)
{
    const int64_t remaining = int64_t(text.size()) - startIndex;
    if (startIndex < 0 || remaining <= 0)
        return -1;
    const int length = int(std::min<int64_t>(count, remaining));
    return DrawStringWithColorCodes(text, x, y, width, justification, true, startIndex, length, oldColor);
}

int Graphics::DrawStringWrapped(const std::string& text, const Rect& rect, int lineSpacing, int justification)
{
    Font* font = GetFont();
    if (!font)
        return 0;
    const int spacing = lineSpacing == -1 ? font->GetLineSpacing() : lineSpacing;
    const Color savedColor = GetColor();
    int32_t oldColor = int32_t(savedColor.PackARGB());
    // Opaque white packs to -1, which would read as "the current colour".
    if ((uint32_t(oldColor) >> 24) == 0xFF)
        oldColor &= 0x00FFFFFF;

    const bool codes = mColorCodesEnabled;
    const int len = int(text.size());
    int baselineOffset = font->GetAscent() - font->GetAscentPadding();
    int lineStart = 0;
    int64_t lineWidth = 0;
    char prev = 0;
    int breakPos = -1;
    char c = 0;

    auto drawLine = [&](int from, int to)
    {
        DrawWrappedLine(from, to - from, text, rect.mX, rect.mY + baselineOffset, rect.mWidth, justification,
                        oldColor);
    };

    int i = 0;
    while (i < len)
    {
        c = text[size_t(i)];
        if (c == '^' && codes && i + 1 < len)
        {
            if (text[size_t(i + 1)] != '^')
            {
                i += kCodeLength;
                continue;
            }
            ++i;
        }
        if (c == ' ')
            breakPos = i;
        if (c == '\n')
        {
            breakPos = i;
            lineWidth = int64_t(rect.mWidth) + 1;
            ++i;
        }

        lineWidth += font->GetKernedCharWidth(c, prev);
        prev = c;
        if (lineWidth <= rect.mWidth)
        {
            ++i;
            continue;
        }

        if (breakPos != -1)
        {
            const int baseline = int(double(mTransY) + rect.mY + baselineOffset);
            const Rect& clip = mClipRect;
            if (baseline >= clip.mY && int64_t(baseline) < clip.Bottom() + spacing)
                drawLine(lineStart, breakPos);
            i = breakPos + 1;
            if (c != '\n')
                while (i < len && text[size_t(i)] == ' ')
                    ++i;
        }
        else
        {
            if (i == lineStart)
                ++i;
            drawLine(lineStart, i);
        }
        baselineOffset += spacing;
        lineStart = i;
        breakPos = -1;
        lineWidth = 0;
        prev = 0;
    }

    if (lineStart < len)
    {
        drawLine(lineStart, len);
        baselineOffset += spacing;
    }
    else if (c == '\n')
    {
        baselineOffset += spacing;
    }

    SetColor(savedColor);
    return baselineOffset - spacing + font->GetDescent();
}

int Graphics::DrawStringWrapped(const std::string& text, int x, int y, int width, int justification)
{
    if (!mFont)
        return 0;
    return DrawStringWrapped(text, Rect(x, y - mFont->GetAscent() + mFont->GetAscentPadding(), width, 0), -1,
                             justification);
}

int Graphics::MeasureWrappedHeight(int width, const std::string& text, int lineSpacing) const
{
    Graphics measure(&gNullImage);
    measure.SetFont(mFont);
    measure.mColorCodesEnabled = true;
    return measure.DrawStringWrapped(text, Rect(0, 0, width, 0), lineSpacing, -1);
}

} // namespace Quib
