#pragma once

#include "framework/widgets/Widget.h"
#include "game/minigames/base/MiniGameOwner.h"
#include "game/play/PlayfieldModel.h"
#include "game/play/hud/ItemHint.h"
#include "game/play/hud/MisclickCounter.h"
#include "game/play/hud/MouseObject.h"
#include "game/play/hud/MouseRunOwner.h"
#include "game/play/hud/PieceIdleLoops.h"
#include "game/play/screen/ActionItemOwner.h"
#include "game/play/screen/InventoryOwner.h"
#include "game/play/screen/ItemAnimation.h"
#include "game/shell/Stopwatch.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class DDImage;
class WidgetManager;
} // namespace Quib

class Action;
class ActionItem;
class ActionSequence;
class ItemLabel;
class InventoryWidget;
class PlayfieldOwner;
struct SceneProgress;

// The playfield of one scene: its picture made of items, the clicks on them,
// the animations of what is found, the inventory and the usable object. It
// records every find at once in the current profile's record of the scene
// and tells the scene screen when the list is done. The level map keeps one
// per scene across visits; each visit's scene screen links itself to it.
class SandboxWidget : public Quib::Widget,
                      public MiniGameOwner,
                      public MouseRunOwner,
                      public ActionItemOwner,
                      public InventoryOwner
{
public:
    static constexpr int32_t kTutorial2Ms = 5000, kTutorial4Ms = 26000, kTutorial7Ms = 33000,
                             kTutorial9Ms = 10000;

    SandboxWidget();
    ~SandboxWidget() override;

    void SetSceneName(const std::string& name) { mSceneName = name; }
    void SetLevelName(const std::string& name) { mLevelName = name; }
    void SetDisplayName(const std::string& name) { mDisplayName = name; }
    std::string GetSceneName() const override { return mSceneName; }
    std::string GetLevelName() const { return mLevelName; }
    std::string GetDisplayName() const { return mDisplayName; }
    // Only 0 and 1; the scene record takes the mode too.
    void SetListMode(int32_t mode);
    // Reads "<base>[10Items].xml" and its pictures from the scene folder, links
    // the pieces and sorts the items by layer; then what the record holds
    // already leaves the picture.
    void LoadScene(const std::string& fileBase, const std::string& sceneFolder);
    void RemoveTakenItems();

    // The scene screen's first attachment: its wanted items and list names.
    void BuildFullList();
    void BuildTenItemsList();
    void LoadMiniGameDone();
    void SaveMiniGameDone();
    bool IsSceneDone();
    void HideSceneOnePieces();
    void RevealHiddenPieces();
    int32_t GetCollectingCount() const;
    // Every running collection ends at once in its end place.
    void FinishCollecting();
    // The hint counter's request: pulses one idle wanted item (or, once the
    // list is done outside the first scene, every idle piece) and spends a
    // hint for it; nothing shown costs nothing.
    void UseHint();
    void ShowProfileHints();
    // The pieces taken on earlier visits rejoin their combined items.
    void ReattachPieces();
    void SuppressSceneOneTutorials();

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnMouseButtonUp(int x, int y, int button, int clickCount) override;

    // MiniGameOwner: what a mini-game started from this scene does to it.
    void SetMiniGameDone(bool done) override;
    void DiscardHeldActionItem() override;
    int GetItemsLeft() const override;
    void StartSceneEndDelay() override;
    void AddSkipPenalty() override;
    // The misclick mouse has run its course: the pointer comes back somewhere else.
    void EndMouseRun() override;

    // ActionItemOwner: what the usable object asks of the playfield.
    bool IsScreenAnimating() override;
    bool IsHeldSelected() const override { return mModel.IsHeldSelected(); }
    void ToggleHeldSelection() override { mModel.ToggleHeldSelection(); }
    void DeselectHeldItem() override;

    // InventoryOwner: what the inventory strip draws.
    const std::vector<PlayfieldItem>& PlayfieldItems() const override { return mModel.Items(); }
    Quib::DDImage* PictureOf(size_t index) const override { return mPictures[index].get(); }
    const ItemAnimation& AnimationOf(size_t index) const override { return mAnimations[index]; }

    // The usable object the completed combined item made, or null.
    ActionItem* GetHeldItem() const { return mHeldItem.get(); }
    void SetHeldItem(std::unique_ptr<ActionItem> item);
    bool IsMiniGameDone() const { return mModel.IsMiniGameDone(); }

    PlayfieldModel mModel;
    // The scene screen of the visit, linked while it lasts.
    PlayfieldOwner* mFrame = nullptr;
    Quib::WidgetManager* mContainer = nullptr;
    std::unique_ptr<InventoryWidget> mInventory;
    std::string mLevelName;
    std::string mSceneName;
    std::string mDisplayName;
    int32_t mListMode = -1;
    bool mSecondVisit = false;
    bool mPlacesActive = true;
    int32_t mHeldX = 0, mHeldY = 0;
    Stopwatch mTutorial2Watch, mTutorial4Watch, mTutorial7Watch, mTutorial9Watch;
    std::unique_ptr<MouseObject> mMouse;
    MisclickCounter mMisclicks;
    // The hint highlights by item, kept so that a later hint continues an item's swing.
    std::map<size_t, ItemHint> mItemHints;
    // The first scene's pieces, once shown, pulse and sparkle until taken.
    std::map<size_t, PieceIdleLoops> mPieceLoops;

private:
    struct HintFlash
    {
        size_t mIndex = 0;
        int32_t mFrame = 0;
        std::unique_ptr<ActionSequence> mFlash;
    };

    SceneProgress* SceneRecord() const;
    bool IsSceneOne() const { return mSceneName == "Scene1"; }
    void OnItemClicked(size_t index, ClickOutcome outcome);
    void OnMisclick(int x, int y);
    void StartMouseRun(int x, int y);
    bool IsIdle(size_t index) const;
    // The collection of the item has ended: the list learns of it and the
    // scene may be done. Quiet ends (leaving the scene) open no diary.
    void OnItemCollected(size_t index, bool quiet);
    // A piece has joined its combined item; the last one makes the usable
    // object. Quiet: the pieces came from an earlier run, so the object lies
    // there at once, without the burst of its making.
    void OnPieceCollected(bool quiet);
    void UpdateHintFlashes();
    void UpdateTutorialWatches();
    void CheckTutorialWatch(Stopwatch& watch, int32_t limitMs, bool applies, int32_t tutorial);
    void DrawItem(Quib::Graphics* g, size_t index);
    // The place of the usable object: a sparkle, and under the pointer
    // turning cogs and, on the first level, a tooltip.
    void DrawPlace(Quib::Graphics* g, const PlayfieldItem& place);
    void AddToContainer(Quib::Widget* widget);
    void RemoveFromContainer(Quib::Widget* widget);

    std::vector<std::unique_ptr<Quib::DDImage>> mPictures;
    std::vector<ItemAnimation> mAnimations;
    std::vector<std::unique_ptr<HintFlash>> mHintFlashes;
    std::unique_ptr<ActionItem> mHeldItem;
    int32_t mLastClickX = 0, mLastClickY = 0;
    int32_t mPlaceSparkleCell = 0;
    std::unique_ptr<Action> mPlaceSparkle;
    int32_t mCogsCell = 0;
    int32_t mCogsStep = 0;
    std::unique_ptr<ItemLabel> mPlaceLabel;
    int32_t mAmbientSound = -1;
};
