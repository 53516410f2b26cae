#include "game/shell/CustomDialog.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/ParalelAction.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/Setter.h"
#include "game/shell/StringTable.h"

#include <algorithm>

namespace
{

constexpr int32_t kScreenWidth = 800;
constexpr int32_t kScreenHeight = 600;
constexpr int32_t kSlideMs = 200;
constexpr int32_t kDimAlpha = 100;
constexpr int kClosingId = 1;

std::unique_ptr<Action> Set(int32_t* target, int32_t value)
{
    return std::make_unique<Setter<int32_t>>(target, value);
}

std::unique_ptr<Action> Slide(int32_t* target, int32_t delta)
{
    return std::make_unique<RelIncrementator<int32_t>>(ActionTimer(kSlideMs), target, delta);
}

} // namespace

CustomDialog::CustomDialog(const std::string& text, int32_t dialogId, int32_t buttonMode, bool dim,
                           bool vertical)
    : mButtonMode(buttonMode), mDialogId(dialogId), mText(text), mDim(dim), mVertical(vertical)
{
    if (buttonMode == BUTTONS_OK)
    {
        mFirstButton = MakeButton("BTN_DIALOG_OK", &CustomDialog::OnYesClicked);
    }
    else
    {
        mFirstButton = MakeButton("BTN_DIALOG_YES", &CustomDialog::OnYesClicked);
        mNoButton = MakeButton("BTN_DIALOG_NO", &CustomDialog::OnNoClicked);
    }
    BuildSlides();
    mOpening->Start(nullptr, 0);
}

CustomDialog::~CustomDialog() = default;

std::unique_ptr<MenuItem> CustomDialog::MakeButton(const char* labelKey, void (CustomDialog::*onClick)())
{
    MenuItemLook layout;
    layout.x = kScreenWidth;
    layout.y = 0;
    layout.label = StringTable::GetInstance().Lookup(labelKey);
    layout.labelX = 0;
    layout.labelY = 38;
    layout.hoverPicture = IMAGE_BUTTON_MAIN_MENU_OVER_SMALL;
    layout.pressedPicture = IMAGE_BUTTON_MAIN_MENU_DOWN_SMALL;
    layout.textColor = Quib::Color(255, 255, 255, 255);
    auto button = CreateMenuItem(layout, IMAGE_BUTTON_MAIN_MENU_SMALL);
    button->mOnClick = [this, onClick] { (this->*onClick)(); };
    button->mOverlayPriority = 200;
    button->mLabelJustification = 0;
    return button;
}

void CustomDialog::BuildSlides()
{
    const int32_t w = IMAGE_YES_NO_DIALOG->GetWidth();
    const int32_t h = IMAGE_YES_NO_DIALOG->GetHeight();
    const int32_t cx = kScreenWidth / 2 - w / 2;
    const int32_t cy = kScreenHeight / 2 - h / 2;
    // How far the panel travels: in from the right edge, or up from the bottom.
    const int32_t across = kScreenWidth - (kScreenWidth - w) / 2;
    const int32_t up = h + 10;

    auto place = std::make_unique<ParalelAction>();
    place->Append(Set(&mDimColor.mAlpha, 0));
    auto slideIn = std::make_unique<ParalelAction>();
    if (mDim)
        slideIn->Append(Slide(&mDimColor.mAlpha, kDimAlpha));
    auto hold = std::make_unique<ParalelAction>();
    if (mDim)
        hold->Append(Set(&mDimColor.mAlpha, kDimAlpha));
    auto slideOut = std::make_unique<ParalelAction>();
    if (mDim)
        slideOut->Append(Slide(&mDimColor.mAlpha, -kDimAlpha));
    std::unique_ptr<Action> gone;
    if (mVertical)
    {
        place->Append(Set(&mPanelY, kScreenHeight));
        place->Append(Set(&mPanelX, cx));
        slideIn->Append(Slide(&mPanelY, -up));
        hold->Append(Set(&mPanelY, kScreenHeight - up));
        slideOut->Append(Slide(&mPanelY, up));
        gone = Set(&mPanelY, kScreenHeight);
    }
    else
    {
        place->Append(Set(&mPanelX, kScreenWidth));
        place->Append(Set(&mPanelY, cy));
        slideIn->Append(Slide(&mPanelX, -across));
        hold->Append(Set(&mPanelX, kScreenWidth - across));
        slideOut->Append(Slide(&mPanelX, across + 100));
        gone = Set(&mPanelX, kScreenWidth);
    }
    mOpening = std::make_unique<ActionSequence>();
    mOpening->Append(std::move(place));
    mOpening->Append(std::move(slideIn));
    mClosing = std::make_unique<ActionSequence>();
    mClosing->Append(std::move(hold));
    mClosing->Append(std::move(slideOut));
    mClosing->Append(std::move(gone));
}

bool CustomDialog::IsAnimating() const
{
    return mOpening->IsRunning() || mClosing->IsRunning();
}

void CustomDialog::OnYesClicked()
{
    Answer(RESULT_YES);
}

void CustomDialog::OnNoClicked()
{
    Answer(RESULT_NO);
}

void CustomDialog::Answer(int32_t result)
{
    if (IsAnimating() || !mDialogListener || mResult != RESULT_NONE)
        return;
    mResult = result;
    mClosing->Start(this, kClosingId);
}

void CustomDialog::OnActionFinished(int id)
{
    if (id == kClosingId && mDialogListener)
        mDialogListener->OnDialogClosed(mDialogId, mResult);
}

void CustomDialog::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    manager->AddChild(mFirstButton.get());
    if (mNoButton)
        manager->AddChild(mNoButton.get());
}

void CustomDialog::OnDetached(Quib::WidgetManager* manager)
{
    manager->RemoveChild(mFirstButton.get());
    if (mNoButton)
        manager->RemoveChild(mNoButton.get());
    ScreenBase::OnDetached(manager);
}

void CustomDialog::UpdateFraction(float)
{
    if (mOpening->IsRunning())
    {
        mOpening->Update();
        LayoutButtons(mPanelX, mPanelY);
    }
    if (mClosing->IsRunning())
    {
        mClosing->Update();
        LayoutButtons(mPanelX, mPanelY);
    }
    mDimColor.mAlpha = std::clamp(mDimColor.mAlpha, 0, kDimAlpha);
}

void CustomDialog::LayoutButtons(int32_t x, int32_t y)
{
    const int32_t w = IMAGE_YES_NO_DIALOG->GetWidth();
    const int32_t h = IMAGE_YES_NO_DIALOG->GetHeight();
    const int32_t row = y + h - mFirstButton->mHeight - 20;
    const int32_t buttonWidth = mFirstButton->mWidth;
    if (!mNoButton)
    {
        mFirstButton->Move(x + w / 2 - buttonWidth / 2, row);
        return;
    }
    mFirstButton->Move(x + 40, row);
    mNoButton->Move(x + w - buttonWidth - 40, row);
}

void CustomDialog::Draw(Quib::Graphics*)
{
    RequestOverlayDraw(199);
}

void CustomDialog::DrawOverlay(Quib::Graphics* g)
{
    g->SetColor(mDimColor);
    g->FillRect(0, 0, mWidth, mHeight);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawImage(IMAGE_YES_NO_DIALOG, mPanelX, mPanelY);
    const int32_t textWidth = IMAGE_YES_NO_DIALOG->GetWidth() - 80;
    g->SetFont(FONT_BUTTON_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawStringWrapped(mText, mPanelX + 41, mPanelY + 47, textWidth, 0);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawStringWrapped(mText, mPanelX + 40, mPanelY + 46, textWidth, 0);
}
