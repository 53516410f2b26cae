#include "game/play/screen/ActionItem.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/InventoryWidget.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/screen/SceneScreenLinks.h"
#include "game/play/screen/SceneSession.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ParalelAction.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

// What follows the end of the list: the dialogs and their answers, the
// screens opened over the scene, and the steps of the display's slides.

void GameFrame::OpenOver(ScreenBase* screen)
{
    if (screen != nullptr)
    {
        screen->Resize(0, 0, 800, 600);
        PushGameState(screen, mStack);
        return;
    }
    OnCovered(mStack);
    OnUncovered(mStack);
}

void GameFrame::OpenStory(const std::string& story, bool withEnvelope)
{
    OpenOver(SceneScreens().mStory ? SceneScreens().mStory(story, withEnvelope) : nullptr);
}

void GameFrame::ShowDialog(const std::string& text, int32_t id, bool dim)
{
    auto* dialog = new CustomDialog(text, id, CustomDialog::BUTTONS_OK, dim, false);
    dialog->Resize(0, 0, 800, 600);
    dialog->Move(0, 0);
    dialog->SetListener(this);
    PushGameState(dialog, mStack);
}

bool GameFrame::ShowTutorial(int n, int argument)
{
    PlayerProfile* profile = CurrentProfile();
    if (profile == nullptr || profile->mLevel != 1)
        return false;
    if (n >= 0 && n < TutorialFlags::kCount)
    {
        if (profile->mTutorialFlags.IsSet(n))
            return false;
        profile->mTutorialFlags.Set(n);
    }
    static const char* const keys[] = {"",
                                       "TUT_SCENE_FIRST10",
                                       "TUT_HINTS_1",
                                       "TUT_SCENE_NORMAL_1",
                                       "TUT_HINTS_2",
                                       "TUT_SCENE_ITEMS_FINISHED1",
                                       "TUT_SCENE_ITEMS_FINISHED2",
                                       "TUT_SCENE_NORMAL_2",
                                       "TUT_SCENE_ACTION_ITEM_1",
                                       "TUT_SCENE_ACTION_ITEM_2",
                                       "TUT_HINTS_3",
                                       "TUT_DIARY_FOUND"};
    if (n >= 1 && n <= 11)
        OpenOver(SceneScreens().mTutorial ? SceneScreens().mTutorial(n == 11 ? argument : 0, keys[n])
                                          : nullptr);
    return true;
}

void GameFrame::OnListFinished()
{
    const bool playing = mStack != nullptr && mStack->Top() == this && !IsAnimating() &&
                         (mExitMode == ExitNone || mExitMode == ExitAfterDialog);
    if (playing)
        OnSceneItemsDone();
    else
        mItemsDonePending = true;
}

void GameFrame::CheckListFinished()
{
    if (mItemsDonePending)
    {
        mItemsDonePending = false;
        OnSceneItemsDone();
    }
    else if (!mListEndShown && mHudBuilt && mPlayfield != nullptr && mPlayfield->GetItemsLeft() == 0 &&
             NothingElseEndsTheScene())
        OnListFinished();
}

// A list found to its end on an earlier visit (left while its last item was
// still on its way) ends again only where nothing else would end the scene:
// the ten-items visit, or a full list whose mini-game is done already. With
// the mini-game still to play, its solving ends the scene, and the list's
// dialog has been seen.
bool GameFrame::NothingElseEndsTheScene() const
{
    if (mPlayfield->mListMode == kTenItemsListMode)
        return true;
    const SceneProgress* record = SceneRecord();
    const bool doneBefore =
        record != nullptr && (mSecondVisit ? record->IsDoneSecondVisit() : record->IsDoneFirstVisit());
    return doneBefore || mPlayfield->IsMiniGameDone();
}

void GameFrame::OnSceneItemsDone()
{
    if (mPlayfield == nullptr)
        return;
    mListEndShown = true;
    const int32_t listMode = mPlayfield->mListMode;
    const SceneProgress* record = SceneRecord();
    const bool doneBefore =
        record != nullptr && (mSecondVisit ? record->IsDoneSecondVisit() : record->IsDoneFirstVisit());
    if (listMode == kFullListMode && doneBefore)
        ResumeFinale();
    else if (listMode == kTenItemsListMode)
        ShowDialog(SceneText("LBL_DIALOG_10_ITEMS_FOUND"), DIALOG_ID_TEN_ITEMS_FOUND, false);
    else if (listMode == kFullListMode && mSecondVisit)
        ShowDialog(SceneText("LBL_DIALOG_ALL_DONE"), DIALOG_ID_ALL_DONE, false);
    else if (listMode == kFullListMode && mPlayfield->GetSceneName() == "Scene1")
    {
        mItemsFinishedTutorialsPending = true;
        mExitMode = ExitAfterDialog;
        OnUncovered(mStack);
    }
    else if (listMode == kFullListMode)
    {
        const char* key = mPlayfield->IsMiniGameDone() ? "LBL_DIALOG_ITEMS_FOUND_MINI_GAME_HAS_BEEN_SOLVED"
                          : mPlayfield->GetHeldItem() != nullptr ? "LBL_DIALOG_ITEMS_FOUND_IF_PIECES_FOUND"
                                                                 : "LBL_DIALOG_ITEMS_FOUND";
        ShowDialog(SceneText(key), DIALOG_ID_ITEMS_FOUND, false);
    }
}

void GameFrame::ResumeFinale()
{
    // Only the last scene opens again once done: it stays open until its finale has been played.
    mLeaveAfterDiary = true;
    const PlayerProfile* profile = CurrentProfile();
    if (profile != nullptr && profile->mStoryFlags.IsCutsceneShown("Cutscene19_1"))
    {
        mExitMode = ExitMiniGame;
        OpenBomb();
        return;
    }
    LeaveScene();
}

void GameFrame::OnDialogClosed(int32_t dialogId, int32_t)
{
    if (dialogId == DIALOG_ID_ITEMS_FOUND)
        mItemsFinishedTutorialsPending = true;
    mExitMode = ExitAfterDialog;
    PopGameState(mStack);
    PlayerProfile* profile = CurrentProfile();
    const std::string scene = mPlayfield != nullptr ? mPlayfield->GetSceneName() : std::string();
    switch (dialogId)
    {
    case DIALOG_ID_ITEMS_FOUND:
        if (mPlayfield != nullptr && mPlayfield->IsMiniGameDone())
            StartSceneEndDelay();
        break;
    case DIALOG_ID_TEN_ITEMS_FOUND:
        if (profile != nullptr)
            if (SceneProgress* record = profile->mLevelProgress.FindScene(scene))
                record->SetListMode(kFullListMode);
        mExitMode = ExitToMap;
        if (mMapScreen != nullptr)
            mMapScreen->SetReopenWithFullList(true);
        SlideOut(kSlidOutLeaving, true);
        break;
    case DIALOG_ID_ALL_DONE:
        PlaySceneSound(SFX_END_SCENE);
        if (profile != nullptr)
            profile->AddDiaryPage();
        if (scene == "Scene1" && mMapScreen != nullptr)
            mMapScreen->UnlockOtherScenes();
        mSideButtons[2]->SetVisible(false);
        mLeaveAfterDiary = true;
        OpenOver(SceneScreens().mDiary ? SceneScreens().mDiary(*this, false) : nullptr);
        break;
    case DIALOG_ID_FIRST_SCENE_DONE:
        PlaySceneSound(SFX_END_SCENE);
        if (scene == "Scene1" && mMapScreen != nullptr)
            mMapScreen->UnlockOtherScenes();
        MarkSceneDone();
        mExitMode = ExitChapterStory;
        SlideOut(kSlidOutCovering, false);
        break;
    case DIALOG_ID_TIME_EXCEEDED:
        mExitMode = ExitToMap;
        if (mMapScreen != nullptr)
            mMapScreen->SetResetAfterTimeOut(true);
        SlideOut(kSlidOutLeaving, true);
        break;
    default:
        break;
    }
}

void GameFrame::OnActionFinished(int code)
{
    PlayerProfile* profile = CurrentProfile();
    const std::string scene = mPlayfield != nullptr ? mPlayfield->GetSceneName() : std::string();
    switch (code)
    {
    case kSlidIn:
        SetInventoryVisible(!(IsLevelOne() && !profile->mTutorialFlags.IsSet(6)));
        SetHeldItemVisible(true);
        if (scene == "Scene1" && mPlayfield != nullptr &&
            ShowTutorial(mPlayfield->mListMode == kTenItemsListMode ? 1 : 3))
            break;
        CheckListFinished();
        break;
    case kSlidOutLeaving:
        if (mExitMode == ExitChapterStory)
        {
            if (profile != nullptr)
                profile->mStoryFlags.MarkCutsceneShown("Cutscene0_3");
            mStoryPending = true;
            OpenStory("Cutscene0_3", true);
        }
        else if (mExitMode == ExitToMap)
            mFadeToBlack->Start(this, kFadedToBlack);
        else if (mExitMode == ExitFinale)
        {
            if (profile != nullptr)
                profile->mStoryFlags.MarkCutsceneShown("Cutscene19_1");
            mStoryPending = true;
            OpenStory("Cutscene19_1", false);
        }
        break;
    case kSlidOutCovering:
        if (mExitMode == ExitMiniGame)
            CreateMiniGame();
        else if (mExitMode == ExitPause)
            OpenOver(SceneScreens().mPauseMenu ? SceneScreens().mPauseMenu() : nullptr);
        else if (mExitMode == ExitChapterStory)
        {
            if (profile != nullptr)
                profile->mStoryFlags.MarkCutsceneShown("Cutscene0_2");
            mStoryPending = true;
            OpenStory("Cutscene0_2", true);
        }
        break;
    case kFadedToBlack:
        if (mExitMode != ExitToMap || IsAnimating())
            break;
        // Whatever is still on its way ends now: its record was written when it was clicked.
        if (mPlayfield != nullptr)
            mPlayfield->FinishCollecting();
        PopGameState(mStack);
        break;
    case kEndDelayOver:
        if (scene == "Scene1" && !mSecondVisit)
            ShowDialog(SceneText("LBL_DIALOG_ALL_DONE_SCENE1_ONLY"), DIALOG_ID_FIRST_SCENE_DONE, false);
        else
            ShowDialog(SceneText("LBL_DIALOG_ALL_DONE"), DIALOG_ID_ALL_DONE, false);
        break;
    default:
        break;
    }
}
