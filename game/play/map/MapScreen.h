#pragma once

#include "framework/foundation/Color.h"
#include "game/play/map/ScenePreviewOwner.h"
#include "game/play/screen/SceneScreenLinks.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/CustomButtonListener.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ParalelAction.h"
#include "game/shell/ScreenBase.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class Image;
class WidgetManager;
} // namespace Quib

class SandboxWidget;
class ScenePreviewButton;
struct LevelMapEntry;
struct PlayerProfile;
struct SceneProgress;

// The hub of play: the estate's map zoomed onto the area of the profile's
// level with that level's picture over it, and one button per scene of the
// level along the top. A button opens its scene; coming back saves the
// profiles, and once every scene of the level is done the level's story and
// letter follow and the map moves on to the next level in place.
class MapScreen : public ScreenBase,
                  public ActionListener,
                  public CustomButtonListener,
                  public SceneMapLink,
                  public ScenePreviewOwner
{
public:
    // Steps of the map's own timed actions.
    enum Step : int32_t
    {
        STEP_LEFT = 0,
        STEP_ARRIVED = 1,
        STEP_DIMMED = 2,
        STEP_UNDIMMED = 3,
        STEP_TO_SCENE = 4,
        STEP_BACK_FROM_SCENE = 5,
        STEP_ZOOMED_IN = 6,
        STEP_ZOOMED_OUT_TO_LEAVE = 7,
        STEP_ZOOMED_OUT_TO_NEXT_LEVEL = 8,
        STEP_BUTTONS_IN = 9,
        STEP_BUTTONS_OUT = 10,
    };
    static constexpr int32_t kFinalLevel = 19;
    static constexpr size_t kMaxSceneButtons = 4;
    static constexpr const char* kFirstStory = "Cutscene0_1";
    static constexpr const char* kFinaleEnd = "Cutscene19_2";

    // Where the scene button at the index stands along the top edge when the
    // level has `count` of them, every one as wide as the first.
    static int32_t SceneButtonX(int32_t index, int32_t count, int32_t firstWidth);

    // Built and pushed by the loading overlay.
    MapScreen();
    ~MapScreen() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnEntered(GameStateStack* stack) override;
    void OnLeft(GameStateStack* stack) override;
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
    void OnActionFinished(int id) override;
    // Opens the scene of mSelectedScene, which the button set before the fade.
    void OnButtonClicked(int32_t index) override;

    // What the scene screen tells the map.
    void UnlockOtherScenes() override { UnlockSceneButtons(); }
    void SetReopenWithFullList(bool reopen) override { mReopenFullList = reopen; }
    void SetResetAfterTimeOut(bool reset) override { mResetAfterTimeout = reset; }

    void FadeOutToScene();
    // The scene screen's word that the first scene is done: the others open.
    void UnlockSceneButtons();
    bool IsAnimating() const override;
    // A scene button's click: mSelectedScene opens after the fade.
    void OpenSceneAfterFade(int32_t index) override;
    void OnExitButton();
    void ShowMapTutorial();
    void AdvanceLevel();
    void ReopenSceneFullList(int32_t index);
    void ResetSceneAfterTimeout();
    // Every scene of the level done, the last level's only once its finale has been played.
    bool IsLevelDone() const;
    // Starts the level end when the level is done and the map is at rest; true when it started.
    bool CheckLevelEnd();
    // False when the group "Map" did not load; such a map is never shown.
    bool IsBuilt() const { return mBuilt; }

    std::vector<std::unique_ptr<ScenePreviewButton>> mSceneButtons;
    std::unique_ptr<MenuItem> mExitButton;
    int32_t mLevel = 1;
    std::vector<std::unique_ptr<SandboxWidget>> mPlayfields;
    Quib::WidgetManager* mManager = nullptr;
    bool mReopenFullList = false;
    int32_t mSelectedScene = -1;
    bool mResetAfterTimeout = false;
    std::unique_ptr<ActionSequence> mFadeToBlack;
    std::unique_ptr<ActionSequence> mFadeFromBlack;
    std::unique_ptr<ActionSequence> mDimIn;
    std::unique_ptr<ActionSequence> mDimOut;
    std::unique_ptr<ActionSequence> mZoomIn;
    std::unique_ptr<ParalelAction> mZoomOut;
    std::unique_ptr<ActionSequence> mEntrySeq;
    std::unique_ptr<ActionSequence> mExitSeq;
    Quib::Color mFadeColor{0, 0, 0, 255};
    bool mTutorialUp = false;
    int32_t mPanX = 0;
    int32_t mPanY = 0;
    int32_t mTriggerIndex = 0;
    float mScale = 0.5f;
    std::unique_ptr<Quib::Image> mLevelPicture;
    int32_t mLevelAlpha = 0;
    bool mSceneOpened = false;
    bool mFirstStoryShown = false;
    bool mLevelStoryPending = false;
    bool mEnvelopePending = false;
    bool mLoadingShown = false;
    std::string mLoadingText;
    bool mLevelComplete = false;
    GameStateStack* mStack = nullptr;

private:
    const LevelMapEntry* CurrentEntry() const;
    void BuildScenePlayfields();
    std::unique_ptr<SandboxWidget> BuildScenePlayfield(int32_t index);
    void BuildSceneButtons();
    void LockSceneButtons();
    void PlaceSceneButtons();
    void BuildZoomSequences();
    void BuildButtonSequences();
    void LoadLevelPicture();
    void UpdateButtons();
    bool IsSceneDone(size_t index) const;
    SceneProgress* RecordOf(size_t index) const;
    bool IsFinalePlayed() const;
    void OpenScene(int32_t index);
    // Pushes what the maker builds; without one the map goes on as if it had been closed.
    void PushOwnScreen(ScreenBase* screen);
    void AddButtonsTo(Quib::WidgetManager* manager);
    // Run by the entry and exit sequences' triggers on button mTriggerIndex.
    void SlideTriggeredButtonIn();
    void SlideTriggeredButtonOut();
    void RemoveButtonsFrom(Quib::WidgetManager* manager);

    bool mBuilt = false;
    int32_t mExitButtonY = 600;
};
