#include "game/play/screen/ActionItem.h"
#include "game/play/screen/ActionItemOwner.h"
#include "game/shell/AnimatedWidget.h"
#include "tests/game/play/screen/SceneFlowSupport.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;
using namespace scenetest;

// The playfield's side of the usable object, recorded.
class RecordingOwner : public ActionItemOwner
{
public:
    std::string GetSceneName() const override { return "Scene2"; }
    bool IsScreenAnimating() override { return mAnimating; }
    bool IsHeldSelected() const override { return mSelected; }
    void ToggleHeldSelection() override
    {
        mSelected = !mSelected;
        ++mToggles;
    }
    void DeselectHeldItem() override
    {
        mSelected = false;
        ++mDeselects;
    }

    bool mAnimating = false;
    bool mSelected = false;
    int mToggles = 0;
    int mDeselects = 0;
};

TEST(ActionItemClickTest, ALeftClickPicksTheObjectUpARightClickPutsItDownAndNothingElseReachesIt)
{
    GameHarness game;
    BootGame(game);
    struct Case
    {
        const char* what;
        int button;
        bool animating;
        bool quiet;
        bool visible;
        int toggles;
        int deselects;
    };
    const Case cases[] = {
        {"left click", 0, false, true, true, 1, 0},
        {"right click", 1, false, true, true, 0, 1},
        {"middle click", 2, false, true, true, 0, 0},
        {"scene screen sliding, fading or waiting to end", 0, true, true, true, 0, 0},
        {"creation burst still playing", 0, false, false, true, 0, 0},
        {"hidden while the display is out", 0, false, true, false, 0, 0},
    };
    for (const Case& c : cases)
    {
        RecordingOwner owner;
        owner.mAnimating = c.animating;
        ActionItem item(&owner, nullptr, c.quiet);
        item.SetVisible(c.visible);
        item.OnMouseButtonDown(0, 0, c.button, 1);
        EXPECT_EQ(owner.mToggles, c.toggles) << c.what;
        EXPECT_EQ(owner.mDeselects, c.deselects) << c.what;
    }
}

// A playfield holds its usable object's clicks only while a linked scene
// screen animates; one shown without a screen (a viewer) never holds them.
TEST(ActionItemClickTest, ThePlayfieldHoldsTheObjectsClicksOnlyWhileItsSceneScreenAnimates)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    // No tutorial opens over the scene screen while it slides in.
    for (int tutorial = 1; tutorial < TutorialFlags::kCount; ++tutorial)
        Profile(game).mTutorialFlags.Set(tutorial);
    SceneVisit visit(game, "Scene2", kFullListMode);
    ASSERT_TRUE(visit.mFrame->IsAnimating());
    EXPECT_TRUE(visit.mPlayfield->IsScreenAnimating());
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    EXPECT_FALSE(visit.mPlayfield->IsScreenAnimating());

    SandboxWidget unlinked;
    EXPECT_FALSE(unlinked.IsScreenAnimating());
}

} // namespace
