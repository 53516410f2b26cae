#include "game/play/screen/ItemLabel.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "game/shell/Resources.h"

#include <cmath>

ItemLabel::ItemLabel(const std::string& text) : mText(text), mFont(FONT_ITEM_LABELS)
{
    mLineHeight = mFont != nullptr ? mFont->GetHeight() : 0;
    const int textWidth = mFont != nullptr ? mFont->GetStringWidth(text) : 0;
    mLineCount = int32_t(std::ceil(double(textWidth) / kWidth)) + 1;
    Resize(0, 0, kWidth, mLineHeight * mLineCount);
}

std::pair<int32_t, int32_t> ItemLabel::OffsetOver(int32_t x, int32_t y, int32_t w, const Bounds& bounds) const
{
    const int32_t lw = mWidth, lh = mHeight;
    int32_t dx = w / 2 - lw / 2;
    if (x + dx + lw > bounds.mRight)
        dx += bounds.mRight - (x + dx + lw);
    if (x - lw / 2 < bounds.mLeft)
        dx += lw / 2 - x + bounds.mLeft;
    int32_t dy = (y <= bounds.mLowY ? -4 : bounds.mLowEdge - y) - lh;
    if (y + dy < bounds.mTop)
        dy = bounds.mTop - y;
    return {dx, dy};
}

void ItemLabel::Draw(Quib::Graphics* g)
{
    if (mFont == nullptr)
        return;
    g->SetFont(mFont);
    g->Translate(mX, mY);
    g->SetColor(Quib::Color(0, 0, 0, 100));
    g->FillRect(0, 0, mWidth + 2, mHeight + 5);
    g->SetColor(Quib::Color(0, 0, 0));
    g->DrawStringWrapped(mText, Quib::Rect(3, 1, mWidth - 4, mHeight), mLineHeight, -1);
    g->SetColor(Quib::Color(255, 255, 255));
    g->DrawStringWrapped(mText, Quib::Rect(4, 2, mWidth - 4, mHeight), mLineHeight, -1);
    g->Translate(-mX, -mY);
}
