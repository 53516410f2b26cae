#include "game/minigames/base/MiniGameWidget.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/DebugPrintf.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/base/MiniGameHelpScreen.h"
#include "game/minigames/base/MiniGameOwner.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/ResourceGroupLoad.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/SoundEffectHost.h"
#include "game/shell/StringTable.h"

#include <algorithm>

namespace
{

// The least space between Skip and Reset when they stand side by side.
constexpr int kBottomButtonGap = 8;

int WidthOf(Quib::Image* image)
{
    return image != nullptr ? image->GetWidth() : 0;
}

} // namespace

void PlayMiniGameSound(int32_t soundId)
{
    if (gSoundEffectHost != nullptr)
        gSoundEffectHost->PlaySoundEffect(soundId);
}

MiniGameWidget::MiniGameWidget()
{
    mSkipButton = MakeButton(0, 0, IMAGE_BUTTON_MAIN_MENU, IMAGE_BUTTON_MAIN_MENU_OVER,
                             IMAGE_BUTTON_MAIN_MENU_DOWN, "", &MiniGameWidget::OnSkipClicked);
    mResetButton =
        MakeButton(0, 0, IMAGE_BUTTON_MAIN_MENU, IMAGE_BUTTON_MAIN_MENU_OVER, IMAGE_BUTTON_MAIN_MENU_DOWN,
                   StringTable::GetInstance().Lookup("LBL_RESET"), &MiniGameWidget::OnResetClicked);
    PlaceSkipAndReset(150, 650, 520);
    mCloseButton = MakeButton(648, 31, IMAGE_GUI_MINIGAME_CLOSE_NORMAL, IMAGE_GUI_MINIGAME_CLOSE_OVER,
                              IMAGE_GUI_MINIGAME_CLOSE_PRESSED, "", &MiniGameWidget::OnCloseClicked);
    mHelpButton = MakeButton(144 - WidthOf(IMAGE_GUI_MINIGAME_HELP_NORMAL), 31,
                             IMAGE_GUI_MINIGAME_HELP_NORMAL, IMAGE_GUI_MINIGAME_HELP_OVER,
                             IMAGE_GUI_MINIGAME_HELP_PRESSED, "", &MiniGameWidget::OpenHelp);
    mDimIn = MakeDim(0, 200);
    mDimOut = MakeDim(200, -200);
    mParticles = std::make_unique<MiniGameParticles>();
    mSkipText = StringTable::GetInstance().Lookup("LBL_SKIP");
    SetButtonsVisible(false);
}

MiniGameWidget::~MiniGameWidget() = default;

std::unique_ptr<MenuItem> MiniGameWidget::MakeButton(int x, int y, Quib::Image* normal, Quib::Image* over,
                                                     Quib::Image* down, const std::string& label,
                                                     void (MiniGameWidget::*onClick)())
{
    MenuItemLook layout;
    layout.x = x;
    layout.y = y;
    layout.label = label;
    layout.labelY = 38;
    layout.hoverPicture = over;
    layout.pressedPicture = down;
    std::unique_ptr<MenuItem> button = CreateMenuItem(layout, normal);
    button->mOverlayPriority = 100;
    button->mOnClick = [this, onClick] { (this->*onClick)(); };
    return button;
}

std::unique_ptr<ActionSequence> MiniGameWidget::MakeDim(int from, int delta)
{
    std::unique_ptr<Action> dim =
        Then(std::make_unique<Setter<int>>(&mDimAlpha, from),
             std::make_unique<RelIncrementator<int>>(ActionTimer(250), &mDimAlpha, delta));
    return std::unique_ptr<ActionSequence>(static_cast<ActionSequence*>(dim.release()));
}

void MiniGameWidget::BindReset(std::function<void()> reset)
{
    mResetButton->mOnClick = std::move(reset);
}

void MiniGameWidget::PlaceSkipAndReset(int left, int right, int y)
{
    mButtonSpanLeft = left;
    mButtonSpanRight = right;
    mButtonSpanY = y;
    LayOutSkipAndReset();
}

void MiniGameWidget::LayOutSkipAndReset()
{
    const int left = mButtonSpanLeft, right = mButtonSpanRight;
    const int skipWidth = mSkipButton->mWidth, resetWidth = mResetButton->mWidth;
    int skipX = left, resetX = right - resetWidth;
    if (mSkipAllowed && skipX + skipWidth + kBottomButtonGap > resetX)
    {
        const int start = (left + right - skipWidth - kBottomButtonGap - resetWidth) / 2;
        skipX = start;
        resetX = start + skipWidth + kBottomButtonGap;
    }
    mSkipButton->Move(skipX, mButtonSpanY);
    mResetButton->Move(resetX, mButtonSpanY);
}

bool MiniGameWidget::LoadGroup(const char* group, bool (*fetch)(Quib::ResourceManager*))
{
    return LoadResourceGroup(group, fetch);
}

void MiniGameWidget::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    mAttached = true;
    // The launcher decides about Skip after the game has placed its buttons.
    LayOutSkipAndReset();
    manager->AddChild(mParticles.get());
    manager->AddChild(mCloseButton.get());
    manager->AddChild(mResetButton.get());
    if (mSkipAllowed)
        manager->AddChild(mSkipButton.get());
    manager->AddChild(mHelpButton.get());
    mDimIn->Start(this, 0);
}

void MiniGameWidget::OnDetached(Quib::WidgetManager* manager)
{
    manager->RemoveChild(mParticles.get());
    manager->RemoveChild(mCloseButton.get());
    manager->RemoveChild(mResetButton.get());
    if (mSkipAllowed)
        manager->RemoveChild(mSkipButton.get());
    manager->RemoveChild(mHelpButton.get());
    mAttached = false;
    ScreenBase::OnDetached(manager);
}

void MiniGameWidget::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    if (gSharkInterface != nullptr)
        gSharkInterface->SetCurrentMiniGame(this);
    ScreenBase::OnEntered(stack);
}

void MiniGameWidget::OnLeft(GameStateStack* stack)
{
    if (gSharkInterface != nullptr && gSharkInterface->mMiniGame == this)
        gSharkInterface->SetCurrentMiniGame(nullptr);
    ScreenBase::OnLeft(stack);
    mStack = nullptr;
}

void MiniGameWidget::StopStopwatches()
{
    mStoppedByFocusLoss = mStopwatch.IsRunning();
    mStopwatch.Stop();
}

void MiniGameWidget::StartStopwatches()
{
    if (mStoppedByFocusLoss)
        mStopwatch.Start();
    mStoppedByFocusLoss = false;
}

void MiniGameWidget::OnCovered(GameStateStack*)
{
    mStopwatch.Stop();
    SetButtonsVisible(false);
}

void MiniGameWidget::OnUncovered(GameStateStack*)
{
    if (mSolved || mSkipped)
        return;
    mStopwatch.Start();
    SetButtonsVisible(!mFinishing);
}

void MiniGameWidget::SetButtonsVisible(bool visible)
{
    for (MenuItem* button : {mSkipButton.get(), mCloseButton.get(), mResetButton.get(), mHelpButton.get()})
        button->SetVisible(visible);
}

void MiniGameWidget::UpdateFraction(float)
{
    if (mDimIn->IsRunning())
        mDimIn->Update();
    if (mDimOut->IsRunning())
        mDimOut->Update();
    const int32_t elapsed = mStopwatch.GetElapsedMs();
    mSkipButton->mLabel =
        elapsed > mSkipDelaySeconds * 1000 ? mSkipText : std::to_string(mSkipDelaySeconds - elapsed / 1000);
    mDimAlpha = std::clamp(mDimAlpha, 0, 255);
    mDimColour.mAlpha = mDimAlpha;
    MarkDirty();
}

void MiniGameWidget::CountTowardEndDialog()
{
    if (!mSolved || mEndDialogShown)
        return;
    if (++mEndDialogCounter > mEndDialogDelay)
    {
        mEndDialogShown = true;
        ShowEndDialog(StringTable::GetInstance().Lookup("LBL_DIALOG_PUZZLE_SOLVED"));
    }
}

void MiniGameWidget::Draw(Quib::Graphics* g)
{
    g->SetColor(mDimColour);
    g->FillRect(-mX, -mY, mWidth, mHeight);
}

bool MiniGameWidget::AcceptsInput() const
{
    return !mDimOut->IsRunning() && !mFinishing && !mSkipped && !mSolved;
}

void MiniGameWidget::PushAbove(ScreenBase* state)
{
    state->Resize(0, 0, 800, 600);
    if (mStack != nullptr)
        PushGameState(state, mStack);
}

void MiniGameWidget::OpenHelp()
{
    if (mSolved || mFinishing || !AcceptsInput())
        return;
    PushAbove(new MiniGameHelpScreen(this));
}

void MiniGameWidget::ShowEndDialog(const std::string& text)
{
    if (mSolved)
    {
        mParticles->Start();
        PlayMiniGameSound(SFX_MG_END);
        Quib::DebugPrintf("SFX_MG_END played!!!\n");
    }
    auto* dialog = new CustomDialog(text, DIALOG_ID_MINI_GAME_END, CustomDialog::BUTTONS_OK, false, true);
    dialog->SetListener(this);
    mOpenDialog = dialog;
    PushAbove(dialog);
}

void MiniGameWidget::OnSkipClicked()
{
    if (!AcceptsInput() || !mSkipAllowed || mStopwatch.GetElapsedMs() < mSkipDelaySeconds * 1000)
        return;
    auto* dialog = new CustomDialog(StringTable::GetInstance().Lookup("LBL_MINI_GAME_SKIP"),
                                    DIALOG_ID_MINI_GAME_SKIP, CustomDialog::BUTTONS_YES_NO, true, false);
    dialog->SetListener(this);
    mOpenDialog = dialog;
    PushAbove(dialog);
}

void MiniGameWidget::OnCloseClicked()
{
    if (mSolved || mDimIn->IsRunning() || !AcceptsInput())
        return;
    mDimOut->Start(this, 1);
}

void MiniGameWidget::Finish()
{
    mFinishing = true;
    if (!mDimOut->IsRunning())
        mDimOut->Start(this, 1);
}

void MiniGameWidget::MarkSceneMiniGameDone()
{
    if (mOwnerPlayfield == nullptr)
        return;
    mOwnerPlayfield->SetMiniGameDone(true);
    mOwnerPlayfield->DiscardHeldActionItem();
}

void MiniGameWidget::SetOwnerScene(MiniGameOwner* owner)
{
    if (owner != nullptr)
        mOwnerPlayfield = owner;
}

void MiniGameWidget::PopOpenDialog()
{
    // Only the dialog the game opened is taken off, whatever lies above it.
    if (mStack != nullptr && mOpenDialog != nullptr)
    {
        auto& states = mStack->mStates;
        if (std::find(states.begin(), states.end(), mOpenDialog) != states.end())
            while (!states.empty() && states.back() != this)
            {
                const bool last = states.back() == mOpenDialog;
                PopGameState(mStack);
                if (last)
                    break;
            }
    }
    mOpenDialog = nullptr;
}

void MiniGameWidget::OnDialogClosed(int32_t dialogId, int32_t result)
{
    PopOpenDialog();
    if (dialogId == DIALOG_ID_MINI_GAME_END)
    {
        if (mOwnerPlayfield != nullptr && mSolved)
        {
            MarkSceneMiniGameDone();
            if (mOwnerPlayfield->GetItemsLeft() == 0)
                mOwnerPlayfield->StartSceneEndDelay();
        }
        if (!mDimOut->IsRunning())
            mDimOut->Start(this, 1);
    }
    else if (dialogId == DIALOG_ID_MINI_GAME_SKIP && result == 0 && !mSkipped)
    {
        if (mOwnerPlayfield != nullptr)
            mOwnerPlayfield->AddSkipPenalty();
        mSkipped = true;
        MarkSceneMiniGameDone();
        Finish();
    }
}

void MiniGameWidget::OnActionFinished(int id)
{
    if (id == 0)
    {
        OpenHelp();
        mStopwatch.Start();
    }
    else if (id == 1)
    {
        if (mFinishing && mOwnerPlayfield != nullptr && mOwnerPlayfield->GetItemsLeft() == 0)
            mOwnerPlayfield->StartSceneEndDelay();
        Leave();
    }
}

void MiniGameWidget::Leave()
{
    if (mStack == nullptr)
        return;
    auto& states = mStack->mStates;
    if (std::find(states.begin(), states.end(), this) == states.end())
        return;
    while (!states.empty() && states.back() != this)
        PopGameState(mStack);
    PopGameState(mStack);
}
