#include "game/frontend/CustomEditWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/EditListener.h"

#include <algorithm>

void CustomEditWidget::OnChar(char character)
{
    if (mEditListener != nullptr && !mEditListener->AcceptsChar(mId, character))
        return;
    ProcessInput(0, character);
}

int CustomEditWidget::WidthUpTo(int index)
{
    const std::string& display = GetDisplayText();
    const int from = std::clamp(mLeftPos, 0, int(display.size()));
    const int to = std::clamp(index, from, int(display.size()));
    return mFont->GetStringWidth(display.substr(size_t(from), size_t(to - from)));
}

int CustomEditWidget::TextX(const std::string& visible) const
{
    return 4 + (mWidth - 8 - mFont->GetStringWidth(visible)) / 2;
}

void CustomEditWidget::Draw(Quib::Graphics* g)
{
    if (!mFont)
    {
        Quib::EditWidget::Draw(g);
        return;
    }
    const int w = mWidth;
    const int h = mHeight;
    g->SetColor(GetColor(COLOR_BKG));
    g->FillRect(0, 0, w, h);

    const std::string& display = GetDisplayText();
    const std::string visible = display.substr(size_t(std::clamp(mLeftPos, 0, int(display.size()))));
    const int fontHeight = mFont->GetHeight();
    const int top = (h - fontHeight) / 2;
    const int baseline = top + mFont->GetAscent();
    const int textX = TextX(visible);

    Quib::Graphics text(*g);
    text.SetFont(mFont.get());
    text.ClipRect(4, 0, w - 8, h);
    text.SetColor(GetColor(COLOR_TEXT));
    text.DrawString(visible, textX, baseline);

    // The caret is a 2-pixel band while it blinks on; a selection spans the anchor.
    const int cursor = std::clamp(textX - 4 + WidthUpTo(mCursorPos), 0, w - 8);
    int anchor = cursor;
    if (mHilitePos != -1 && mHilitePos != mCursorPos)
        anchor = std::clamp(textX - 4 + WidthUpTo(mHilitePos), 0, w - 8);
    else if (mShowingCursor)
        anchor = std::min(cursor + 2, w - 8);
    Quib::Graphics band(*g);
    band.SetFont(mFont.get());
    band.ClipRect(std::min(cursor, anchor) + 4, top, std::abs(anchor - cursor), fontHeight);
    if (mHasFocus)
    {
        Quib::Color fill = GetColor(COLOR_HILITE);
        fill.mAlpha = 128;
        band.SetColor(fill);
        band.FillRect(std::min(cursor, anchor) + 4, top, std::abs(anchor - cursor), fontHeight);
        band.SetColor(GetColor(COLOR_HILITE_TEXT));
    }
    else
    {
        band.SetColor(GetColor(COLOR_TEXT));
    }
    band.DrawString(visible, textX, baseline);

    g->SetColor(GetColor(COLOR_OUTLINE));
    g->DrawRect(0, 0, w - 1, h - 1);
}
