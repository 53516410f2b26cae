#pragma once

#include "framework/foundation/Color.h"
#include "game/play/hud/HintWidget.h"
#include "game/play/hud/ItemNameList.h"
#include "game/play/hud/SceneClock.h"
#include "game/play/hud/SceneHudOwner.h"
#include "game/play/screen/PlayfieldOwner.h"
#include "game/play/screen/SceneExitMode.h"
#include "game/shell/ActionListener.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/FocusStopwatches.h"
#include "game/shell/ScreenBase.h"
#include "game/shell/Stopwatch.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Action;
class ActionSequence;
class AnimatedWidget;
class MenuItem;
class MiniGameWidget;
class ParalelAction;
class SandboxWidget;
class SceneMapLink;
struct SceneProgress;

// The screen one scene is played on. It wraps the scene's playfield, which
// the level map keeps between visits, with the heads-up display around it:
// the list of names to find and the side buttons that slide in and out. It
// decides what follows when the list is finished, shows the end-of-scene
// dialogs and records their answers, leads into the stories, the diary and
// the scene's mini-game, and adds the visit's time to the profile.
class GameFrame : public ScreenBase,
                  public CustomDialogListener,
                  public ActionListener,
                  public FocusStopwatches,
                  public SceneHudOwner,
                  public PlayfieldOwner
{
public:
    static constexpr int32_t DIALOG_ID_ITEMS_FOUND = 0;
    static constexpr int32_t DIALOG_ID_TEN_ITEMS_FOUND = 2;
    static constexpr int32_t DIALOG_ID_ALL_DONE = 3;
    static constexpr int32_t DIALOG_ID_FIRST_SCENE_DONE = 4;
    static constexpr int32_t DIALOG_ID_TIME_EXCEEDED = 5;

    // Finish codes of the frame's own timed actions.
    static constexpr int kSlidIn = 0, kSlidOutLeaving = 1, kSlidOutCovering = 2, kFadedToBlack = 3,
                         kEndDelayOver = 5;
    static constexpr int32_t kEndDelayMs = 650;
    static constexpr int32_t kListX = 0, kListY = 304, kListWidth = 110, kListHeight = 194;

    explicit GameFrame(bool timed);
    ~GameFrame() override;

    // Takes the playfield the level map keeps for the scene (once).
    void LinkPlayfield(SandboxWidget* playfield);
    // A scene opened without the map (a viewer, a test) keeps its playfield
    // with the screen.
    void KeepPlayfield(std::unique_ptr<SandboxWidget> playfield);

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;

    void OnEntered(GameStateStack* stack) override;
    void OnLeft(GameStateStack* stack) override;
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
    void OnDialogClosed(int32_t dialogId, int32_t result) override;
    void OnActionFinished(int code) override;
    void StopStopwatches() override;
    void StartStopwatches() override;

    // What the playfield asks of the screen.
    bool IsWantedItem(int32_t item) const override;
    void ClearWantedItem(int32_t item) override;
    void AddWantedItem(int32_t item) override;
    void MarkItemFound(const std::string& name) override;
    void SetItemFoundQuiet(const std::string& name) override;
    void CountListItemFound() override;
    void AddListNameCentred(const std::string& name) override;
    void AddListNameLeft(const std::string& name) override;
    void PlayItemCollectedEffect(int32_t item) override;
    void PlayHintCollectedEffect(int32_t item) override;
    HintWidget& GetHintWidget() override { return *mHintWidget; }
    void OpenMiniGame() override;
    void OpenDiary();
    void OpenDiaryForPage(bool listDone) override;
    void OnSceneItemsDone();
    // The playfield's last wanted item has arrived: the list's end shows now
    // when the frame is playing on top, else once it is uncovered or has slid in.
    void OnListFinished() override;
    bool ShowTutorial(int n, int argument = 0) override;
    MenuItem* GetDiaryButton() const override;
    bool IsAnimating() override;
    int32_t GetItemsLeft() override;
    void StartSceneEndDelay() override;
    void MarkSceneDone();
    void ShowDialog(const std::string& text, int32_t id, bool dim);
    void OnTimeExceeded() override;
    void CreateMiniGame();
    void OnMenuButton();
    void OnMapButton();

    std::unique_ptr<ItemNameList> mItemList;
    std::unique_ptr<AnimatedWidget> mItemCollectedEffect;
    std::unique_ptr<AnimatedWidget> mHintCollectedEffect;
    SandboxWidget* mPlayfield = nullptr;
    // The playfield's items whose names are on the list, by index; -1 once collected.
    std::vector<int32_t> mWantedItems;
    std::unique_ptr<Action> mEndDelay;
    std::vector<std::unique_ptr<MenuItem>> mSideButtons;
    std::unique_ptr<HintWidget> mHintWidget;
    // Only in timed play.
    std::unique_ptr<SceneClock> mClock;
    std::unique_ptr<ActionSequence> mSlideIn;
    std::unique_ptr<ParalelAction> mSlideOut;
    std::unique_ptr<ActionSequence> mFadeToBlack;
    std::unique_ptr<ActionSequence> mFadeFromBlack;
    int32_t mExitMode = ExitNone;
    Quib::Color mFadeColor{0, 0, 0, 0};
    int32_t mFadeAlpha = 0;
    int32_t mHudOffset = 0;
    SceneMapLink* mMapScreen = nullptr;
    bool mLeaveAfterDiary = false;
    bool mTimed = false;
    bool mItemsFinishedTutorialsPending = false;
    bool mSecondVisit = false;
    bool mSlideInPending = false;
    bool mItemsDonePending = false;
    bool mStoryPending = false;
    bool mFadeOutPending = false;
    bool mHudBuilt = false;
    // This visit has shown the end of its list (so sliding in again asks nothing).
    bool mListEndShown = false;
    // The display stands aside while the bomb fills the screen.
    bool mHudHidden = false;
    bool mDiaryButtonWasVisible = false;
    Stopwatch mVisitStopwatch;
    GameStateStack* mStack = nullptr;

private:
    // A list found to its end before this visit (left while its last item was
    // still on its way) ends when the HUD has slid in.
    void CheckListFinished();
    bool NothingElseEndsTheScene() const;
    void BuildSlides();
    // Inventory and usable object out of sight, list typed out, clock and HUD sliding out.
    void SlideOut(int code, bool hideHeldItem);
    // The HUD, the list and the clock come back.
    void SlideIn();
    void StopCountdown();
    void ResumeCountdown();
    void SetInventoryVisible(bool visible);
    void SetHeldItemVisible(bool visible);
    void UpdateDiaryButton(bool revealPieces);
    // Opens the screen above the frame; a screen this build cannot make
    // counts as opened and closed at once.
    void OpenOver(ScreenBase* screen);
    void OpenStory(const std::string& story, bool withEnvelope);
    void PlayEffectOn(AnimatedWidget& effect, int32_t item);
    void AddVisitTimeToProfile();
    // Opens the mini-game over the frame, owned by the scene and skippable or not.
    void OpenMiniGameOver(MiniGameWidget* game, bool skipAllowed);
    // The last scene's ending: the bomb, which cannot be skipped.
    void OpenBomb();
    // The display's pictures, buttons, list and clock; drawn above the screens
    // over the frame, they would cover the bomb and its time-out flash.
    void SetHudVisible(bool visible);
    // After the diary of the scene's end: the scene is done, and the chapter
    // story, the finale or the way back to the map follows.
    void LeaveScene();
    // The last scene reopened after the program ended in its finale: what is
    // left of the finale follows, without a second end of the scene.
    void ResumeFinale();
    bool IsLevelOne() const;
    // The current profile's record of the scene, or null.
    SceneProgress* SceneRecord() const;

    // The countdown, the playfield's two waits from the scene's start and the
    // visit's time: what the window's focus stops and starts.
    std::vector<Stopwatch*> FocusWatches();

    std::unique_ptr<SandboxWidget> mOwnedPlayfield;
    std::vector<Stopwatch*> mStoppedByFocusLoss;
};
