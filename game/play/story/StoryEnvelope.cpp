#include "game/play/story/StoryEnvelope.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ParalelAction.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/ResourceGroupLoad.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"
#include "game/shell/StringTable.h"

#include <algorithm>

namespace
{

constexpr int32_t kScreenWidth = 800;
constexpr int32_t kScreenHeight = 600;
constexpr int32_t kDimAlpha = 100;
constexpr int32_t kFlapAbove = 202;
constexpr int32_t kPaperInset = 9;
constexpr int32_t kOkY = 500;
constexpr int kOpeningId = 0;
constexpr int kClosingId = 1;

template <class T> std::unique_ptr<Action> Set(T* target, T value)
{
    return std::make_unique<Setter<T>>(target, value);
}

template <class T> std::unique_ptr<Action> Tween(T* target, T delta, int32_t durationMs)
{
    return std::make_unique<RelIncrementator<T>>(ActionTimer(durationMs), target, delta);
}

} // namespace

StoryEnvelope::StoryEnvelope(const std::string& textKey)
{
    if (!LoadResourceGroup("StoryEnvelope", &FetchGroupStoryEnvelope))
    {
        mLoadFailed = true;
        return;
    }
    const StringTable& strings = StringTable::GetInstance();
    mLetterText = strings.Lookup(textKey);
    mClickText = strings.Lookup("ClickAnywhere_text");
    mEnvelopeX = float(kScreenWidth / 2 - IMAGE_ENVELOPE_DOWN->GetWidth() / 2);
    const float rise = float(IMAGE_ENVELOPE_DOWN->GetHeight() + 100);
    const int32_t lastCell = IMAGE_ENVELOPE_UP_STRIP->mRows * IMAGE_ENVELOPE_UP_STRIP->mColumns - 1;
    BuildOpening(rise, lastCell);
    BuildClosing(rise, lastCell);

    MenuItemLook layout;
    layout.label = "OK";
    layout.labelX = 0;
    layout.labelY = 20;
    layout.hoverPicture = IMAGE_BUTTON_STORY_SMALL_OVER1;
    mOkButton = CreateMenuItem(layout, IMAGE_BUTTON_STORY_SMALL_NORMAL1);
    mOkButton->mFont = FONT_ITEM_LABELS;
    mOkButton->mOnClick = [this] { OnOkClicked(); };
}

StoryEnvelope::~StoryEnvelope()
{
    if (!mLoadFailed)
        Quib::gApp->mResourceManager->UnloadGroup("StoryEnvelope");
}

void StoryEnvelope::BuildOpening(float rise, int32_t lastCell)
{
    auto place = std::make_unique<ParalelAction>();
    place->Append(Set(&mFadeColor.mAlpha, 0));
    place->Append(Set(&mEnvelopeX, mEnvelopeX));
    place->Append(Set(&mEnvelopeY, float(kScreenHeight) - rise));
    place->Append(Set(&mPaperY, float(kScreenHeight + 10) - rise));
    place->Append(Set(&mFlapCell, 0));
    mOpening = std::make_unique<ActionSequence>();
    mOpening->Append(std::move(place));
    mOpening->Append(Tween(&mFadeColor.mAlpha, kDimAlpha, 50));
    mOpening->Append(Tween(&mFlapCell, lastCell, 300));
    mOpening->Append(Set(&mFlapOpen, true));
    mOpening->Append(Tween(&mPaperY, -kPaperRise, 500));
    mOpening->Append(Set(&mPaperInFront, true));
    mOpening->Append(Tween(&mPaperY, kPaperRise, 500));
}

void StoryEnvelope::BuildClosing(float rise, int32_t lastCell)
{
    auto place = std::make_unique<ParalelAction>();
    place->Append(Set(&mFadeColor.mAlpha, kDimAlpha));
    place->Append(Set(&mEnvelopeX, mEnvelopeX));
    place->Append(Set(&mEnvelopeY, float(kScreenHeight) - rise));
    place->Append(Set(&mPaperY, float(kScreenHeight + 10) - rise));
    place->Append(Set(&mFlapCell, lastCell));
    auto away = std::make_unique<ParalelAction>();
    away->Append(Tween(&mFadeColor.mAlpha, -kDimAlpha, 400));
    away->Append(Tween(&mPaperY, rise, 400));
    away->Append(Tween(&mEnvelopeY, rise, 400));
    mClosing = std::make_unique<ActionSequence>();
    mClosing->Append(std::move(place));
    mClosing->Append(Tween(&mPaperY, -kPaperRise, 500));
    mClosing->Append(Set(&mPaperInFront, false));
    mClosing->Append(Tween(&mPaperY, kPaperRise, 500));
    mClosing->Append(Set(&mFlapOpen, false));
    mClosing->Append(Tween(&mFlapCell, -lastCell, 300));
    mClosing->Append(std::move(away));
}

void StoryEnvelope::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
}

void StoryEnvelope::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    mContainer = manager;
    // Attached again after being covered, the letter carries on where it was.
    if (mOpening && !mOpened)
    {
        mOpened = true;
        mOpening->Start(this, kOpeningId);
    }
    if (mOkShown)
        manager->AddChild(mOkButton.get());
}

void StoryEnvelope::OnDetached(Quib::WidgetManager* manager)
{
    if (mOkButton)
        manager->RemoveChild(mOkButton.get());
    ScreenBase::OnDetached(manager);
}

void StoryEnvelope::OnMouseButtonDown(int, int, int, int) {}

bool StoryEnvelope::IsAnimating() const
{
    return (mOpening && mOpening->IsRunning()) || (mClosing && mClosing->IsRunning());
}

void StoryEnvelope::OnActionFinished(int id)
{
    if (id == kOpeningId)
    {
        mOkButton->Move(kScreenWidth / 2 - IMAGE_BUTTON_STORY_SMALL_NORMAL1->GetWidth() / 2, mY + kOkY);
        mOkShown = true;
        if (mContainer != nullptr)
            mContainer->AddChild(mOkButton.get());
    }
    else if (id == kClosingId)
        Leave();
}

void StoryEnvelope::OnOkClicked()
{
    if (IsAnimating() || !mOkShown)
        return;
    mOkShown = false;
    if (mContainer != nullptr)
        mContainer->RemoveChild(mOkButton.get());
    mClosing->Start(this, kClosingId);
}

void StoryEnvelope::Leave()
{
    mLeft = true;
    if (mStack != nullptr && mStack->Top() == this)
        PopGameState(mStack);
}

void StoryEnvelope::UpdateFraction(float)
{
    if (mLeft)
        return;
    if (mLoadFailed)
    {
        Leave();
        return;
    }
    if (mOpening->IsRunning())
        mOpening->Update();
    if (mClosing->IsRunning())
        mClosing->Update();
    mFadeColor.mAlpha = std::clamp(mFadeColor.mAlpha, 0, 255);
}

void StoryEnvelope::Draw(Quib::Graphics* g)
{
    if (mLoadFailed)
        return;
    const int32_t x = int32_t(mEnvelopeX), y = int32_t(mEnvelopeY);
    g->SetColor(mFadeColor);
    g->FillRect(0, 0, kScreenWidth, kScreenHeight);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawImage(IMAGE_ENVELOPE_DOWN_2ND_PART, x, y);
    if (mFlapOpen)
        g->DrawImageCell(IMAGE_ENVELOPE_UP_STRIP, x, y - kFlapAbove, mFlapCell);
    if (!mPaperInFront)
        DrawPaper(g);
    g->DrawImage(IMAGE_ENVELOPE_DOWN, x, y);
    if (!mFlapOpen)
        g->DrawImageCell(IMAGE_ENVELOPE_UP_STRIP, x, y - kFlapAbove, mFlapCell);
    if (mPaperInFront)
        DrawPaper(g);
}

void StoryEnvelope::DrawPaper(Quib::Graphics* g)
{
    const int32_t x = int32_t(mEnvelopeX), y = int32_t(mPaperY);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawImage(IMAGE_ENVELOPE_PAPER, x + kPaperInset, y);
    g->SetFont(FONT_STORY_ENVELOPE);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawStringWrapped(mLetterText, x + kTextMargin, y + kTextBaseline, TextWidth(), -1);
    g->SetColor(Quib::Color(255, 255, 255, 255));
}
