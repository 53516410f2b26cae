#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/shell/AnimatedWidget.h"

#include <algorithm>

bool GameFrame::IsWantedItem(int32_t item) const
{
    return item >= 0 && std::find(mWantedItems.begin(), mWantedItems.end(), item) != mWantedItems.end();
}

void GameFrame::ClearWantedItem(int32_t item)
{
    std::replace(mWantedItems.begin(), mWantedItems.end(), item, -1);
}

void GameFrame::AddWantedItem(int32_t item)
{
    mWantedItems.push_back(item);
}

void GameFrame::MarkItemFound(const std::string& name)
{
    mItemList->MarkFound(name);
}

void GameFrame::SetItemFoundQuiet(const std::string& name)
{
    mItemList->SetFoundQuiet(name);
}

void GameFrame::CountListItemFound()
{
    mItemList->mRemaining = std::max(0, mItemList->mRemaining - 1);
}

void GameFrame::AddListNameCentred(const std::string& name)
{
    mItemList->AddCentred(name);
}

void GameFrame::AddListNameLeft(const std::string& name)
{
    mItemList->AddLeft(name);
}

void GameFrame::PlayItemCollectedEffect(int32_t item)
{
    PlayEffectOn(*mItemCollectedEffect, item);
}

void GameFrame::PlayHintCollectedEffect(int32_t item)
{
    PlayEffectOn(*mHintCollectedEffect, item);
}

// The effect plays again from its start, centred on the item.
void GameFrame::PlayEffectOn(AnimatedWidget& effect, int32_t item)
{
    if (mPlayfield == nullptr || item < 0)
        return;
    const PlayfieldItem& found = mPlayfield->mModel.Items()[size_t(item)];
    effect.Restart();
    effect.Move(found.mX + found.mWidth / 2 - effect.mWidth / 2,
                found.mY + found.mHeight / 2 - effect.mHeight / 2);
    effect.mState = AnimatedWidget::STATE_PLAYING;
}
