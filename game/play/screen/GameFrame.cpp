#include "game/play/screen/GameFrame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/play/screen/ActionItem.h"
#include "game/play/screen/InventoryWidget.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/screen/SceneScreenLinks.h"
#include "game/play/screen/SceneSession.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/AnimatedWidget.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MenuItem.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"
#include "platform/Random.h"

#include <algorithm>

namespace
{

// The screens are taken off one by one as the program ends, each uncovering
// the one below: the finale must not go on then, or the profile would be
// saved with a finale it never showed.
bool ProgramEnding()
{
    return Quib::gApp != nullptr && Quib::gApp->IsShuttingDown();
}

constexpr int32_t kFramePriority = 3;
constexpr int32_t kSideButtonPriority = 4;
constexpr int32_t kSlideMs = 250;
constexpr int32_t kFadeMs = 250;
constexpr int kGameplayTracks = 6;

} // namespace

GameFrame::GameFrame(bool timed) : mItemList(std::make_unique<ItemNameList>()), mTimed(timed)
{
    mItemList->Resize(kListX, kListY, kListWidth, kListHeight);
    mItemList->mOwner = this;
    if (mTimed)
    {
        mClock = std::make_unique<SceneClock>(this);
        mClock->Resize(800, 100, IMAGE_GUI_CLOCK->GetWidth(), IMAGE_GUI_CLOCK->GetHeight());
    }
    mItemCollectedEffect = std::make_unique<AnimatedWidget>();
    mItemCollectedEffect->SetAnimation(PARTICLE_ITEM_COLLECTED);
    mHintCollectedEffect = std::make_unique<AnimatedWidget>();
    mHintCollectedEffect->SetAnimation(PARTICLE_HINT_COLLECTED);
    Resize(0, 0, 800, 600);
    struct SideButton
    {
        int32_t y;
        Quib::Image *normal, *over;
        void (GameFrame::*click)();
    };
    const int32_t wB = IMAGE_GUI_BUTTON_MENU->GetWidth();
    for (const SideButton& side :
         {SideButton{0, IMAGE_GUI_BUTTON_MENU, IMAGE_GUI_BUTTON_MENU_OVER, &GameFrame::OnMenuButton},
          SideButton{52, IMAGE_GUI_BUTTON_MAP, IMAGE_GUI_BUTTON_MAP_OVER, &GameFrame::OnMapButton},
          SideButton{119, IMAGE_GUI_BUTTON_DIARY, IMAGE_GUI_BUTTON_DIARY_OVER, &GameFrame::OpenDiary}})
    {
        MenuItemLook look;
        look.x = -wB;
        look.y = side.y;
        look.hoverPicture = side.over;
        std::unique_ptr<MenuItem> button = CreateMenuItem(look, side.normal);
        button->mOverlayPriority = kSideButtonPriority;
        button->mPressSound = SFX_BUTTON_GUI_PRESS;
        button->mHoverSound = SFX_BUTTON_GUI_OVER;
        const auto click = side.click;
        button->mOnClick = [this, click]
        {
            if (!IsAnimating())
                (this->*click)();
        };
        mSideButtons.push_back(std::move(button));
    }
    // The diary button is as wide as its picture and as high as its hover picture.
    mSideButtons[2]->Resize(-wB, 119, IMAGE_GUI_BUTTON_DIARY->GetWidth(),
                            IMAGE_GUI_BUTTON_DIARY_OVER->GetHeight());
    mHintWidget = std::make_unique<HintWidget>();
    mHintWidget->Resize(-IMAGE_GUI_BUTTON_HINT_1->GetWidth(), 203, IMAGE_GUI_BUTTON_HINT_1->GetWidth(),
                        IMAGE_GUI_BUTTON_HINT_1->GetHeight());
    mHintWidget->mOwner = this;
    mHudOffset = -IMAGE_GUI_NORMAL->GetWidth();
    BuildSlides();
    mEndDelay = steps::Wait(kEndDelayMs);
}

GameFrame::~GameFrame() = default;

void GameFrame::BuildSlides()
{
    using namespace steps;
    const int32_t wB = IMAGE_GUI_BUTTON_MENU->GetWidth();
    const int32_t wN = IMAGE_GUI_NORMAL->GetWidth();
    MenuItem& menu = *mSideButtons[0];
    MenuItem& map = *mSideButtons[1];
    MenuItem& diary = *mSideButtons[2];
    HintWidget& hint = *mHintWidget;
    const int32_t wH = hint.mWidth;
    mSlideIn = InOrder(Together(Set(&menu.mX, -wB), Set(&map.mX, -wB), Set(&diary.mX, -wB),
                                Set(&hint.mX, -wH), Set(&mHudOffset, -wN)),
                       Together(Tween(&mHudOffset, wN, kSlideMs),
                                InOrder(Wait(100), Tween(&menu.mX, wB - 2, kSlideMs)),
                                InOrder(Wait(100), Tween(&map.mX, wB + 6, kSlideMs)),
                                InOrder(Wait(200), Tween(&diary.mX, wB + 12, kSlideMs)),
                                InOrder(Wait(300), Tween(&hint.mX, wH + 12, kSlideMs))));
    mSlideOut =
        Together(Tween(&menu.mX, 2 - wB, kSlideMs), InOrder(Wait(100), Tween(&map.mX, -wB - 6, kSlideMs)),
                 InOrder(Wait(200), Tween(&diary.mX, -wB - 12, kSlideMs)),
                 InOrder(Wait(300), Tween(&hint.mX, -wH - 12, kSlideMs)),
                 InOrder(Wait(250), Together(Tween(&mHudOffset, -wN, kSlideMs))));
    mFadeToBlack = InOrder(Set(&mFadeAlpha, 0), Tween(&mFadeAlpha, 255, kFadeMs));
    mFadeFromBlack = InOrder(Set(&mFadeAlpha, 255), Tween(&mFadeAlpha, -255, kFadeMs));
}

void GameFrame::LinkPlayfield(SandboxWidget* playfield)
{
    if (mPlayfield != nullptr || playfield == nullptr)
        return;
    mItemList->SetListMode(playfield->mListMode);
    mSecondVisit = playfield->mSecondVisit;
    mPlayfield = playfield;
    playfield->mFrame = this;
}

void GameFrame::KeepPlayfield(std::unique_ptr<SandboxWidget> playfield)
{
    LinkPlayfield(playfield.get());
    if (mPlayfield == playfield.get())
        mOwnedPlayfield = std::move(playfield);
}

SceneProgress* GameFrame::SceneRecord() const
{
    PlayerProfile* profile = CurrentProfile();
    return profile != nullptr && mPlayfield != nullptr
               ? profile->mLevelProgress.FindScene(mPlayfield->GetSceneName())
               : nullptr;
}

bool GameFrame::IsLevelOne() const
{
    const PlayerProfile* profile = CurrentProfile();
    return profile != nullptr && profile->mLevel == 1;
}

void GameFrame::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    mVisitStopwatch.Start();
    if (mPlayfield != nullptr)
    {
        mPlayfield->LoadMiniGameDone();
        mPlayfield->HideSceneOnePieces();
        mPlayfield->ShowProfileHints();
        mPlayfield->mTutorial2Watch.Start();
        mPlayfield->mTutorial4Watch.Start();
    }
    if (mClock)
    {
        const SceneProgress* record = SceneRecord();
        if (record != nullptr)
            mClock->SetTime(record->mClock[0], record->mClock[1], record->mClock[2], record->mClock[3]);
        else
            mClock->SetTime(0, SceneProgress::kDefaultClockMinutes, 0, 0);
        mClock->mCountdown->Start();
    }
    if (const PlayerProfile* profile = CurrentProfile())
        mHintWidget->SetCount(profile->GetHints());
    UpdateDiaryButton(true);
    FadeInMusic(1 + platform::rand() % kGameplayTracks);
    if (gSharkInterface != nullptr)
        gSharkInterface->SetCurrentGameFrame(this);
    ScreenBase::OnEntered(stack);
}

void GameFrame::UpdateDiaryButton(bool revealPieces)
{
    MenuItem& diary = *mSideButtons[2];
    const PlayerProfile* profile = CurrentProfile();
    if (mPlayfield == nullptr || mPlayfield->GetSceneName() != "Scene1" || mSecondVisit || profile == nullptr)
    {
        diary.SetVisible(true);
        return;
    }
    const SceneProgress* record =
        const_cast<PlayerProfile*>(profile)->mLevelProgress.FindScene(mPlayfield->GetSceneName());
    const bool pageTaken = record != nullptr && !record->mItems.empty() && record->mItems[0].mTaken;
    diary.SetVisible(pageTaken);
    if (pageTaken && revealPieces && profile->mTutorialFlags.IsSet(6) &&
        (mPlayfield->GetHeldItem() == nullptr || !mPlayfield->mModel.IsHeldSelected()))
        mPlayfield->RevealHiddenPieces();
}

void GameFrame::OnAttached(Quib::WidgetManager* manager)
{
    if (!mHudBuilt && mPlayfield != nullptr)
    {
        if (mPlayfield->mListMode == kFullListMode)
            mPlayfield->BuildFullList();
        else
            mPlayfield->BuildTenItemsList();
        mHudBuilt = true;
    }
    if (mPlayfield != nullptr)
    {
        mPlayfield->Resize(0, 0, 800, 600);
        manager->AddChild(mPlayfield);
    }
    manager->AddChild(mHintWidget.get());
    for (auto& button : mSideButtons)
        manager->AddChild(button.get());
    if (mClock)
        manager->AddChild(mClock.get());
    PlayerProfile* profile = CurrentProfile();
    const std::string scene = mPlayfield != nullptr ? mPlayfield->GetSceneName() : std::string();
    if (profile == nullptr || profile->mStoryFlags.IsSceneStoryShown(scene, mSecondVisit))
    {
        SlideIn();
        mFadeFromBlack->Start(nullptr, 0);
        return;
    }
    profile->mStoryFlags.MarkSceneStoryShown(scene, mSecondVisit);
    mFadeFromBlack->Start(nullptr, 0);
    mSlideInPending = true;
    OpenStory(mSecondVisit ? scene + "replay" : scene, false);
}

void GameFrame::OnDetached(Quib::WidgetManager* manager)
{
    if (mPlayfield != nullptr)
        manager->RemoveChild(mPlayfield);
    manager->RemoveChild(mHintWidget.get());
    for (auto& button : mSideButtons)
        manager->RemoveChild(button.get());
    if (mClock)
        manager->RemoveChild(mClock.get());
}

void GameFrame::OnLeft(GameStateStack* stack)
{
    mVisitStopwatch.Stop();
    AddVisitTimeToProfile();
    if (SceneProgress* record = SceneRecord(); record != nullptr && mClock)
    {
        const TimeValue left = mClock->mCountdown->GetRemaining();
        record->SetClock(left.mHours, left.mMinutes, left.mSeconds, left.mMilliseconds);
    }
    if (PlayerProfile* profile = CurrentProfile())
        profile->SetHints(mHintWidget->mCount);
    if (mPlayfield != nullptr)
    {
        mPlayfield->DeselectHeldItem();
        mPlayfield->SaveMiniGameDone();
        mPlayfield->mTutorial2Watch.Stop();
        mPlayfield->mTutorial4Watch.Stop();
    }
    for (int track = 1; track <= kGameplayTracks; ++track)
        FadeOutMusic(track);
    if (gSharkInterface != nullptr && gSharkInterface->mGameFrame == this)
        gSharkInterface->SetCurrentGameFrame(nullptr);
    ScreenBase::OnLeft(stack);
    if (mPlayfield != nullptr)
        mPlayfield->mFrame = nullptr;
    mStack = nullptr;
}

void GameFrame::AddVisitTimeToProfile()
{
    PlayerProfile* profile = CurrentProfile();
    if (profile != nullptr)
        profile->mPlayTime.Add(0, 0, 0, mVisitStopwatch.GetElapsedMs());
}

void GameFrame::OnCovered(GameStateStack*)
{
    mVisitStopwatch.Stop();
    StopCountdown();
    if (mExitMode == ExitAfterDialog)
    {
        if (!mItemsFinishedTutorialsPending)
            mExitMode = ExitNone;
        return;
    }
    if (PlayerProfile* profile = CurrentProfile())
        profile->SetHints(mHintWidget->mCount);
    if (mPlayfield != nullptr)
    {
        mPlayfield->DeselectHeldItem();
        mPlayfield->mPlacesActive = false;
        mPlayfield->mTutorial2Watch.Stop();
        mPlayfield->mTutorial4Watch.Stop();
        if (const PlayerProfile* profile = CurrentProfile();
            profile != nullptr && profile->mTutorialFlags.IsSet(8))
            mPlayfield->mTutorial9Watch.Stop();
    }
    if (gSharkInterface != nullptr && gSharkInterface->mGameFrame == this)
        gSharkInterface->SetCurrentGameFrame(nullptr);
}

void GameFrame::OnUncovered(GameStateStack*)
{
    SetHudVisible(true);
    mVisitStopwatch.Start();
    PlayerProfile* profile = CurrentProfile();
    const std::string scene = mPlayfield != nullptr ? mPlayfield->GetSceneName() : std::string();
    if (mFadeOutPending)
    {
        mFadeOutPending = false;
        mExitMode = ExitToMap;
        mFadeToBlack->Start(this, kFadedToBlack);
        return;
    }
    if (mStoryPending)
    {
        mStoryPending = false;
        if (scene != "Scene31")
        {
            mFadeOutPending = true;
            const char* letter = scene == "Scene1" ? "EnvelopeText0_2" : "EnvelopeText0_3";
            OpenOver(SceneScreens().mLetter ? SceneScreens().mLetter(letter) : nullptr);
            return;
        }
        if (profile == nullptr || !profile->mStoryFlags.IsCutsceneShown("Cutscene19_1") || ProgramEnding())
            return;
        if (profile->mStoryFlags.IsCutsceneShown("Cutscene19_2"))
        {
            GameStateStack* stack = mStack;
            ScreenBase* scores = SceneScreens().mFinalScores ? SceneScreens().mFinalScores() : nullptr;
            PopGameState(stack);
            if (scores != nullptr)
            {
                scores->Resize(0, 0, 800, 600);
                PushGameState(scores, stack);
            }
            return;
        }
        mExitMode = ExitMiniGame;
        OpenBomb();
        return;
    }
    if (mItemsDonePending)
    {
        mItemsDonePending = false;
        OnSceneItemsDone();
        // The first scene's list end has already run this call's rest itself
        // and may have opened a tutorial: a second pass would open the next
        // tutorial over it.
        if (mExitMode == ExitAfterDialog && mStack != nullptr && mStack->Top() != this)
            return;
    }
    if (mSlideInPending)
    {
        mSlideInPending = false;
        SlideIn();
    }
    if (mLeaveAfterDiary)
    {
        LeaveScene();
        return;
    }
    if (mExitMode == ExitAfterDialog)
    {
        if (mPlayfield != nullptr)
            mPlayfield->mPlacesActive = true;
        ResumeCountdown();
        if (mItemsFinishedTutorialsPending)
        {
            if (ShowTutorial(5))
                return;
            if (ShowTutorial(6))
            {
                mExitMode = ExitNone;
                if (mPlayfield != nullptr)
                {
                    mPlayfield->RevealHiddenPieces();
                    mPlayfield->mTutorial7Watch.Start();
                }
                mItemsFinishedTutorialsPending = false;
            }
        }
        return;
    }
    if (const PlayerProfile* counted = CurrentProfile())
        mHintWidget->SetCount(counted->GetHints());
    ResumeCountdown();
    if (mPlayfield != nullptr)
    {
        mPlayfield->ShowProfileHints();
        mPlayfield->DeselectHeldItem();
        mPlayfield->mPlacesActive = true;
        mPlayfield->mTutorial2Watch.Start();
        mPlayfield->mTutorial4Watch.Start();
        if (profile != nullptr && profile->mTutorialFlags.IsSet(6))
            mPlayfield->mTutorial7Watch.Start();
        if (profile != nullptr && profile->mTutorialFlags.IsSet(8))
            mPlayfield->mTutorial9Watch.Start();
    }
    UpdateDiaryButton(false);
    if (mExitMode == ExitPause || mExitMode == ExitToMap || mExitMode == ExitMiniGame)
        SlideIn();
    if (gSharkInterface != nullptr)
        gSharkInterface->SetCurrentGameFrame(this);
}

std::vector<Stopwatch*> GameFrame::FocusWatches()
{
    std::vector<Stopwatch*> watches;
    if (mClock)
        watches.push_back(mClock->mCountdown.get());
    if (mPlayfield != nullptr)
    {
        watches.push_back(&mPlayfield->mTutorial2Watch);
        watches.push_back(&mPlayfield->mTutorial4Watch);
    }
    watches.push_back(&mVisitStopwatch);
    return watches;
}

// Only what ran at the loss starts again: a countdown stopped at its time-up
// or a tutorial wait not begun stays as it was.
void GameFrame::StopStopwatches()
{
    mStoppedByFocusLoss.clear();
    for (Stopwatch* watch : FocusWatches())
        if (watch->IsRunning())
        {
            watch->Stop();
            mStoppedByFocusLoss.push_back(watch);
        }
}

void GameFrame::StartStopwatches()
{
    for (Stopwatch* watch : mStoppedByFocusLoss)
        watch->Start();
    mStoppedByFocusLoss.clear();
}

void GameFrame::SetInventoryVisible(bool visible)
{
    if (mPlayfield != nullptr)
        mPlayfield->mInventory->SetVisible(visible);
}

void GameFrame::SetHeldItemVisible(bool visible)
{
    if (mPlayfield != nullptr && mPlayfield->GetHeldItem() != nullptr)
        mPlayfield->GetHeldItem()->SetVisible(visible);
}

void GameFrame::SlideOut(int code, bool hideHeldItem)
{
    SetInventoryVisible(false);
    if (hideHeldItem)
        SetHeldItemVisible(false);
    if (mClock)
        mClock->SlideOut();
    mItemList->TypeOut();
    mSlideOut->Start(this, code);
}

void GameFrame::SlideIn()
{
    mSlideIn->Start(this, kSlidIn);
    mItemList->TypeIn();
    if (mClock)
        mClock->SlideIn();
}

void GameFrame::StopCountdown()
{
    if (mClock)
        mClock->mCountdown->Stop();
}

// A countdown that has run out stays stopped: its dialog has been asked for.
void GameFrame::ResumeCountdown()
{
    if (mClock && mClock->mTimeUpArmed)
        mClock->mCountdown->Start();
}

void GameFrame::OnMenuButton()
{
    mExitMode = ExitPause;
    SlideOut(kSlidOutCovering, true);
}

void GameFrame::OnMapButton()
{
    mExitMode = ExitToMap;
    if (mPlayfield != nullptr && mPlayfield->GetHeldItem() != nullptr)
    {
        SetHeldItemVisible(false);
        for (Stopwatch* watch : {&mPlayfield->mTutorial2Watch, &mPlayfield->mTutorial4Watch,
                                 &mPlayfield->mTutorial7Watch, &mPlayfield->mTutorial9Watch})
            watch->Stop();
    }
    SlideOut(kSlidOutLeaving, false);
}

void GameFrame::OpenDiary()
{
    mExitMode = ExitDiary;
    mSideButtons[2]->SetVisible(false);
    PlayerProfile* profile = CurrentProfile();
    const bool firstOpening = profile != nullptr && !profile->mDiaryOpened;
    if (profile != nullptr)
        profile->mDiaryOpened = true;
    OpenOver(SceneScreens().mDiary ? SceneScreens().mDiary(*this, firstOpening) : nullptr);
}

void GameFrame::OpenDiaryForPage(bool listDone)
{
    mItemsDonePending = listDone;
    OpenDiary();
}

void GameFrame::OpenMiniGame()
{
    mExitMode = ExitMiniGame;
    SlideOut(kSlidOutCovering, true);
}

MenuItem* GameFrame::GetDiaryButton() const
{
    return mSideButtons[2].get();
}

int32_t GameFrame::GetItemsLeft()
{
    return mPlayfield != nullptr ? mPlayfield->GetItemsLeft() : 0;
}

bool GameFrame::IsAnimating()
{
    return mSlideIn->IsRunning() || mSlideOut->IsRunning() || mFadeToBlack->IsRunning() ||
           mFadeFromBlack->IsRunning() || mEndDelay->IsRunning();
}

void GameFrame::StartSceneEndDelay()
{
    mEndDelay->Start(this, kEndDelayOver);
}

void GameFrame::LeaveScene()
{
    MarkSceneDone();
    PlayerProfile* profile = CurrentProfile();
    const std::string scene = mPlayfield != nullptr ? mPlayfield->GetSceneName() : std::string();
    if (profile != nullptr && profile->mStoryFlags.IsCutsceneShown("Cutscene0_3"))
    {
        if (scene != "Scene31")
            mExitMode = ExitToMap;
        else if (profile->mStoryFlags.IsCutsceneShown("Cutscene19_1"))
        {
            if (ProgramEnding())
                return;
            profile->mStoryFlags.MarkCutsceneShown("Cutscene19_2");
            mStoryPending = true;
            OpenStory("Cutscene19_2", false);
            return;
        }
        else
            mExitMode = ExitFinale;
    }
    else
    {
        // Marked only when the story opens: the program may end before the
        // slide does (the diary that ends the scene is taken off by the shutdown
        // too), and the story then waits for the next scene's end.
        mExitMode = ExitChapterStory;
    }
    SlideOut(kSlidOutLeaving, false);
}

void GameFrame::MarkSceneDone()
{
    PlayerProfile* profile = CurrentProfile();
    if (profile == nullptr || mPlayfield == nullptr)
        return;
    if (SceneProgress* record = profile->mLevelProgress.FindScene(mPlayfield->GetSceneName()))
    {
        if (mSecondVisit)
            record->SetDoneSecondVisit(true);
        else
            record->SetDoneFirstVisit(true);
    }
}

void GameFrame::OnTimeExceeded()
{
    ShowDialog(SceneText("LBL_DIALOG_TIME_EXCEEDED"), DIALOG_ID_TIME_EXCEEDED, true);
}

void GameFrame::UpdateFraction(float fraction)
{
    mSlideIn->Update();
    if (mSlideOut->IsRunning())
        mSlideOut->Update();
    mEndDelay->Update();
    mFadeToBlack->Update();
    mFadeFromBlack->Update();
    mFadeAlpha = std::clamp(mFadeAlpha, 0, 255);
    mFadeColor.mAlpha = mFadeAlpha;
    mItemList->UpdateFraction(fraction);
    mItemCollectedEffect->Update();
    mHintCollectedEffect->Update();
}

void GameFrame::Draw(Quib::Graphics*)
{
    if (!mHudHidden)
        RequestOverlayDraw(kFramePriority);
}

void GameFrame::DrawOverlay(Quib::Graphics* g)
{
    g->DrawImageSubpixel(IMAGE_GUI_NORMAL, float(mHudOffset), 0);
    for (AnimatedWidget* effect : {mItemCollectedEffect.get(), mHintCollectedEffect.get()})
        if (effect->mState == AnimatedWidget::STATE_PLAYING)
        {
            g->Translate(effect->mX, effect->mY);
            effect->Draw(g);
            g->Translate(-effect->mX, -effect->mY);
        }
    g->Translate(kListX, kListY);
    mItemList->Draw(g);
    g->Translate(-kListX, -kListY);
    if (mFadeAlpha > 0)
    {
        g->SetColor(mFadeColor);
        g->FillRect(0, 0, mWidth, mHeight);
    }
}
