#include "game/play/hud/ItemNameList.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "game/play/SceneFile.h"
#include "game/play/hud/SceneHudOwner.h"
#include "game/shell/ActionDelay.h"
#include "game/shell/ActionTimer.h"
#include "game/shell/Resources.h"

#include <cmath>

namespace
{

int32_t HeightOf(Quib::Font* font)
{
    return font != nullptr ? font->GetHeight() : 0;
}

int32_t WidthOf(Quib::Font* font, const std::string& text)
{
    return font != nullptr ? font->GetStringWidth(text) : 0;
}

} // namespace

// Eleven steps make one list's typing time, whatever the number of names.
ItemNameList::ItemNameList() : mStepDelay(std::make_unique<ActionDelay>(ActionTimer(mTypeTime / 11))) {}

ItemNameList::~ItemNameList() = default;

void ItemNameList::AddLeft(const std::string& name)
{
    const int32_t n = int32_t(mEntries.size());
    mEntries.push_back(std::make_unique<ItemNameEntry>(name, 2, n * (HeightOf(FONT_ITEM_LABELS) + 2) + 14));
}

void ItemNameList::AddCentred(const std::string& name)
{
    const int32_t n = int32_t(mEntries.size());
    const int32_t x = mWidth / 2 - WidthOf(FONT_ITEM_LABELS, name) / 2 - 5;
    const int32_t y = mHeight / 3 + n * (HeightOf(FONT_ITEM_LABELS) + 1) + 14;
    mEntries.push_back(std::make_unique<ItemNameEntry>(name, x, y));
    if (mOwner != nullptr)
        mRemaining = mOwner->GetItemsLeft();
}

ItemNameEntry* ItemNameList::FindEntry(const std::string& name)
{
    for (const std::unique_ptr<ItemNameEntry>& entry : mEntries)
        if (entry->mName == name)
            return entry.get();
    return nullptr;
}

void ItemNameList::MarkFound(const std::string& name)
{
    if (ItemNameEntry* entry = FindEntry(name))
    {
        entry->mStrike->Start(nullptr, 0);
        entry->mState = ItemNameEntry::kFound;
    }
}

void ItemNameList::SetFoundQuiet(const std::string& name)
{
    if (ItemNameEntry* entry = FindEntry(name))
        entry->mState = ItemNameEntry::kFound;
}

void ItemNameList::TypeIn()
{
    mShown = true;
    mStepIndex = -1;
    mStepDelay->Start(this, kTypeInStep);
}

// Types out from the last entry up. Counting from the entries held rather
// than from a full list of twelve keeps a shorter list inside its entries.
void ItemNameList::TypeOut()
{
    mStepIndex = int32_t(mEntries.size());
    mShown = false;
    mStepDelay->Start(this, kTypeOutStep);
}

void ItemNameList::OnActionFinished(int id)
{
    if (id == kTypeInStep)
    {
        ++mStepIndex;
        if (mStepIndex >= 0 && mStepIndex < int32_t(mEntries.size()))
        {
            mEntries[size_t(mStepIndex)]->mTypeIn->Start(nullptr, 0);
            mStepDelay->Start(this, kTypeInStep);
        }
    }
    else if (id == kTypeOutStep)
    {
        --mStepIndex;
        if (mStepIndex >= 0 && mStepIndex < int32_t(mEntries.size()))
        {
            mEntries[size_t(mStepIndex)]->mTypeOut->Start(nullptr, 0);
            mStepDelay->Start(this, kTypeOutStep);
        }
    }
}

void ItemNameList::UpdateFraction(float)
{
    mStepDelay->Update();
    for (const std::unique_ptr<ItemNameEntry>& entry : mEntries)
        entry->Update();
}

void ItemNameList::Draw(Quib::Graphics* g)
{
    g->SetFont(FONT_ITEM_LABELS);
    for (const std::unique_ptr<ItemNameEntry>& entry : mEntries)
        entry->Draw(g);
    if (mListMode == kTenItemsListMode && mShown)
        DrawRemaining(g);
}

void ItemNameList::DrawRemaining(Quib::Graphics* g)
{
    const std::string text = std::to_string(mRemaining);
    const double w = WidthOf(FONT_BUTTON_LABELS, text) + 5;
    const int32_t x = -int32_t(std::trunc(w * 0.5 - mWidth * 0.5));
    const int32_t y = 4 - int32_t(std::trunc(mHeight * -0.5));
    g->SetFont(FONT_BUTTON_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(text, x + 1, y + 1);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(text, x, y);
}
