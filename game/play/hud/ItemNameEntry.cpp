#include "game/play/hud/ItemNameEntry.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "game/shell/ActionTimer.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"

#include <algorithm>

namespace
{

const Quib::Color kShadow(0, 0, 0, 255);

std::unique_ptr<Action> Typing(int32_t* count, int32_t from, int32_t delta)
{
    return Then(
        std::make_unique<Setter<int32_t>>(count, from),
        std::make_unique<RelIncrementator<int32_t>>(ActionTimer(ItemNameEntry::kTypeMs), count, delta));
}

int32_t WidthOf(const std::string& text)
{
    return FONT_ITEM_LABELS != nullptr ? FONT_ITEM_LABELS->GetStringWidth(text) : 0;
}

} // namespace

ItemNameEntry::ItemNameEntry(const std::string& name, int32_t x, int32_t y)
    : mName(name), mX(x), mY(y), mLength(int32_t(name.size())), mTypeIn(Typing(&mTypedCount, 0, mLength)),
      mTypeOut(Typing(&mTypedCount, mLength, -mLength)), mStrike(Typing(&mTypedCount, 0, mLength))
{
}

void ItemNameEntry::TypeLetters(int32_t count)
{
    mTyped = mName.substr(0, size_t(std::clamp(count, 0, mLength)));
    mTypedWidth = WidthOf(mTyped);
}

void ItemNameEntry::Update()
{
    if (mStrike->IsRunning())
    {
        mStrike->Update();
        if (mTypedCount >= 0 && mTypedCount <= mLength)
        {
            TypeLetters(mTypedCount);
            mRest = mName.substr(size_t(mTypedCount));
        }
        return;
    }
    mTypeIn->Update();
    mTypeOut->Update();
    TypeLetters(mTypedCount);
}

void ItemNameEntry::DrawStrikeLine(Quib::Graphics* g) const
{
    if (mTypedWidth <= 0)
        return;
    const int32_t y = mY - mStrikeOffset;
    g->SetColor(kShadow);
    g->DrawAntialiasedLine(mX + 1, y + 1, mX + mTypedWidth + 1, y + 1);
    g->SetColor(mFoundColor);
    g->DrawAntialiasedLine(mX, y, mX + mTypedWidth, y);
}

void ItemNameEntry::Draw(Quib::Graphics* g) const
{
    g->SetColor(kShadow);
    g->DrawString(mTyped, mX + 1, mY + 1);
    if (mStrike->IsRunning())
    {
        // The letters already struck are grey, the rest still white.
        g->DrawString(mRest, mX + mTypedWidth + 1, mY + 1);
        g->SetColor(mTextColor);
        g->DrawString(mRest, mX + mTypedWidth, mY);
        g->SetColor(mFoundColor);
        g->DrawString(mTyped, mX, mY);
        DrawStrikeLine(g);
        return;
    }
    g->SetColor(mState == kFound ? mFoundColor : mTextColor);
    g->DrawString(mTyped, mX, mY);
    if (mState == kFound)
        DrawStrikeLine(g);
}
