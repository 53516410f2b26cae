#pragma once

#include "game/play/PlayfieldModel.h"
#include "game/play/hud/HintWidget.h"
#include "game/play/hud/ItemHint.h"
#include "game/play/hud/ItemNameList.h"
#include "game/play/hud/MisclickCounter.h"
#include "game/play/hud/MouseObject.h"
#include "game/play/hud/MouseRunOwner.h"
#include "game/play/hud/SceneClock.h"
#include "game/play/hud/SceneHudOwner.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/ScreenBase.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class DDImage;
}
struct SceneProgress;

// The screen one scene is played on: the scene's pictures drawn in their
// layers, the heads-up strip with the list of names to find, the hint
// counter and, in timed play, the clock, and what follows when the list is
// finished or the time is up.
class GameFrame : public ScreenBase, public CustomDialogListener, public SceneHudOwner, public MouseRunOwner
{
public:
    static constexpr int32_t DIALOG_ID_ITEMS_FOUND = 0;
    static constexpr int32_t DIALOG_ID_TEN_ITEMS_FOUND = 2;
    static constexpr int32_t DIALOG_ID_TIME_EXCEEDED = 5;
    static constexpr int32_t kListX = 0, kListY = 304, kListWidth = 110, kListHeight = 194;

    // Reads the scene's file from the pack and its pictures; an empty list
    // asks for the scene's default one. Timed play runs against the clock.
    GameFrame(const std::string& sceneName, int32_t listMode, std::vector<SceneListEntry> list = {},
              bool timed = false);
    ~GameFrame() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnMouseButtonUp(int x, int y, int button, int clickCount) override;

    void OnEntered(GameStateStack* stack) override;
    void OnLeft(GameStateStack* stack) override;
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
    void OnDialogClosed(int32_t dialogId, int32_t result) override;

    bool IsAnimating() override { return false; }
    void OnTimeExceeded() override;
    int32_t GetItemsLeft() override { return mModel.ItemsLeft(); }
    void EndMouseRun() override;

    void OnSceneItemsDone();
    void ShowDialog(const std::string& text, int32_t id, bool dim);

    std::string mSceneName;
    int32_t mListMode;
    PlayfieldModel mModel;
    std::unique_ptr<ItemNameList> mItemList;
    std::unique_ptr<HintWidget> mHintWidget;
    // Only in timed play.
    std::unique_ptr<SceneClock> mClock;
    std::unique_ptr<MouseObject> mMouse;
    MisclickCounter mMisclicks;
    // The hint highlights by item, kept so that a later hint continues an item's swing.
    std::map<size_t, ItemHint> mItemHints;
    bool mTimed;
    // Pictures by model item, so that each hit test and draw uses its own.
    std::vector<std::unique_ptr<Quib::DDImage>> mPictures;
    bool mItemsDoneShown = false;
    GameStateStack* mStack = nullptr;

private:
    void BuildItemList(const std::vector<SceneListEntry>& list);
    // The pointer turns red and a miss sounds; quick ones send the mouse running.
    void OnMisclick(int x, int y);
    void StartMouseRun(int x, int y);
    // Takes the hint counter's request: highlights what the hint shows and spends a hint for it.
    void UseHint();
    // The current profile's record of this scene, or null.
    SceneProgress* SceneRecord() const;
    // A dialog may have been pending when the last item was found.
    void CheckItemsDone();
};
