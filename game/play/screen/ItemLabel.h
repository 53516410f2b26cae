#pragma once

#include "framework/widgets/Widget.h"

#include <cstdint>
#include <string>

namespace Quib
{
class Font;
}

// The small tooltip of the usable object and its place on the first level:
// white wrapped text with a shadow on a dark box, 200 pixels wide and one
// line taller than the text needs. Its owner places and draws it.
class ItemLabel : public Quib::Widget
{
public:
    static constexpr int32_t kWidth = 200;

    explicit ItemLabel(const std::string& text);
    void Draw(Quib::Graphics* g) override;

    // Where the label stands over an item of the rectangle (x, y, w, h), kept
    // inside the bounds: right, left, the bottom limit with its edge, top.
    struct Bounds
    {
        int32_t mRight, mLeft, mLowY, mLowEdge, mTop;
    };
    std::pair<int32_t, int32_t> OffsetOver(int32_t x, int32_t y, int32_t w, const Bounds& bounds) const;

    std::string mText;
    Quib::Font* mFont = nullptr;
    int32_t mLineHeight = 0;
    int32_t mLineCount = 0;
};
