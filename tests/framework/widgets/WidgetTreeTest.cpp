#include "tests/framework/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;
using namespace widgettest;

namespace
{

std::string Order(const WidgetContainer& container)
{
    std::string out;
    for (Widget* child : container.GetChildren())
        out += static_cast<RecordingWidget*>(child)->mName;
    return out;
}

struct Tree : ::testing::Test
{
    std::vector<std::string> log;
    Screen screen;
    WidgetManager& manager = screen.mManager;
};

TEST_F(Tree, ZOrderRulesOfTheChildList)
{
    RecordingWidget a("A", &log), b("B", &log), c("C", &log), d("D", &log);
    manager.AddChild(&a);
    manager.AddChild(&b);
    manager.AddChild(&c);
    EXPECT_EQ(Order(manager), "ABC");
    d.mZOrder = -1;
    manager.AddChild(&d);
    EXPECT_EQ(Order(manager), "DABC");
    manager.MoveToBack(&c);
    EXPECT_EQ(Order(manager), "DCAB");
    manager.MoveToFront(&c);
    EXPECT_EQ(Order(manager), "DABC");
    manager.MoveBehind(&c, &a);
    EXPECT_EQ(Order(manager), "DCAB");
    manager.MoveInFront(&c, &a);
    EXPECT_EQ(Order(manager), "DACB");
    // Adding a child twice changes nothing.
    manager.AddChild(&a);
    EXPECT_EQ(Order(manager), "DACB");
}

TEST_F(Tree, ZOrderWinsOverTheRequestedPlace)
{
    RecordingWidget a("A", &log), b("B", &log), c("C", &log);
    a.mZOrder = 5;
    manager.AddChild(&b);
    manager.AddChild(&c);
    manager.AddChild(&a);
    manager.MoveBehind(&a, &b);
    EXPECT_EQ(Order(manager), "BCA");
    c.mZOrder = -3;
    manager.MoveInFront(&c, &a);
    EXPECT_EQ(Order(manager), "CBA");
}

TEST_F(Tree, UpdateWalkVisitsEverySurvivorOnceWhileWidgetsMoveAndLeave)
{
    RecordingWidget a("A", &log), b("B", &log), c("C", &log), d("D", &log), e("E", &log);
    for (RecordingWidget* w : {&a, &b, &c, &d, &e})
        manager.AddChild(w);
    // B removes itself and its next sibling C; D moves itself to the front and
    // is walked again, but its update does not run twice.
    b.mOnUpdate = [&]
    {
        manager.RemoveChild(&b);
        manager.RemoveChild(&c);
    };
    d.mOnUpdate = [&] { manager.MoveToFront(&d); };
    log.clear();
    manager.UpdateWidgets();
    EXPECT_EQ(Join(log), "A:update | B:update | D:update | E:update");
    EXPECT_EQ(Order(manager), "AED");

    log.clear();
    b.mOnUpdate = nullptr;
    d.mOnUpdate = nullptr;
    // A widget added behind the cursor waits for the next update; one added in front is walked now.
    RecordingWidget f("F", &log), g("G", &log);
    g.mZOrder = -1;
    a.mOnUpdate = [&]
    {
        manager.AddChild(&f);
        manager.AddChild(&g);
    };
    manager.UpdateWidgets();
    EXPECT_EQ(Join(log), "A:update | E:update | D:update | F:update");
    EXPECT_EQ(c.mUpdates, 0);
}

TEST_F(Tree, RootUpdateNeverRunsAndNestedWidgetsUpdateOncePerManagerUpdate)
{
    RecordingWidget parent("P", &log), child("C", &log);
    parent.AddChild(&child);
    manager.AddChild(&parent);
    manager.UpdateWidgets();
    manager.UpdateWidgets();
    TreeFlagState state;
    manager.ComputeTreeFlags(state);
    parent.UpdateTree(state); // a second walk within the same update
    EXPECT_EQ(parent.mUpdates, 2);
    EXPECT_EQ(child.mUpdates, 2);
    EXPECT_EQ(manager.mUpdateCount, 2);
}

TEST_F(Tree, WidgetsWithoutUpdateFlagAreWalkedButNotUpdated)
{
    RecordingWidget parent("P", &log), child("C", &log);
    parent.AddChild(&child);
    manager.AddChild(&parent);
    parent.mFlagMasks.mRemove = TREE_UPDATE;
    child.mFlagMasks.mAdd = TREE_UPDATE;
    manager.UpdateWidgets();
    EXPECT_EQ(parent.mUpdates, 0);
    EXPECT_EQ(child.mUpdates, 1);
}

TEST_F(Tree, RedrawFlagDirtiesAndFractionsReachEveryUpdatedWidget)
{
    struct Fractions : RecordingWidget
    {
        using RecordingWidget::RecordingWidget;
        void UpdateFraction(float fraction) override { mFractions.push_back(fraction); }
        void OnSystemColorsChanged() override { mLog->push_back(mName + ":colours"); }
        std::vector<float> mFractions;
    };
    Fractions parent("P", &log), child("C", &log);
    parent.AddChild(&child);
    manager.AddChild(&parent);
    manager.DrawDirtyWidgets();
    manager.UpdateWidgets();
    EXPECT_FALSE(parent.mDirty);
    manager.mWidgetFlags |= TREE_REDRAW;
    manager.UpdateWidgets();
    EXPECT_TRUE(parent.mDirty && child.mDirty);

    child.mFlagMasks.mRemove = TREE_UPDATE;
    manager.UpdateWidgetsFraction(0.25f);
    EXPECT_EQ(parent.mFractions, std::vector<float>{0.25f});
    EXPECT_TRUE(child.mFractions.empty());

    log.clear();
    manager.SystemColorsChangedTree();
    EXPECT_EQ(Join(log), "P:colours | C:colours");
}

TEST_F(Tree, DirtyMarksClimbToTheTopLevelWidget)
{
    RecordingWidget top("T", &log), mid("M", &log), leaf("L", &log);
    top.Resize(0, 0, 50, 50);
    top.AddChild(&mid);
    mid.AddChild(&leaf);
    manager.AddChild(&top);
    screen.mManager.DrawDirtyWidgets();
    ASSERT_FALSE(top.mDirty);
    leaf.MarkDirty();
    EXPECT_TRUE(leaf.mDirty);
    EXPECT_TRUE(mid.mDirty);
    EXPECT_TRUE(top.mDirty);
    EXPECT_TRUE(manager.mDirty);

    // Already dirty: nothing more happens, not even for the ancestors.
    top.mDirty = false;
    leaf.MarkDirty();
    EXPECT_FALSE(top.mDirty);
}

TEST_F(Tree, HiddenNestedWidgetKeepsItsDirtyFlagUntilDrawn)
{
    RecordingWidget top("T", &log), hidden("H", &log);
    top.Resize(0, 0, 50, 50);
    hidden.Resize(0, 0, 10, 10);
    top.AddChild(&hidden);
    manager.AddChild(&top);
    hidden.SetVisible(false);
    hidden.mDirty = true;
    top.mDirty = true;
    manager.DrawDirtyWidgets();
    EXPECT_TRUE(hidden.mDirty);
    EXPECT_EQ(hidden.mDraws, 0);
    hidden.SetVisible(true);
    top.MarkDirty();
    manager.DrawDirtyWidgets();
    EXPECT_FALSE(hidden.mDirty);
    EXPECT_EQ(hidden.mDraws, 1);
}

TEST_F(Tree, MarkingATranslucentWidgetRepaintsTheOpaqueCoverBehindAndOverlapsInFront)
{
    RecordingWidget back("B", &log), cover("C", &log), glass("G", &log), front("F", &log), apart("A", &log);
    back.Resize(0, 0, 100, 100);
    cover.Resize(10, 10, 60, 60);
    glass.Resize(20, 20, 20, 20);
    glass.mHasAlpha = true;
    front.Resize(30, 30, 20, 20);
    apart.Resize(80, 80, 10, 10);
    for (RecordingWidget* w : {&back, &cover, &glass, &front, &apart})
        manager.AddChild(w);
    manager.DrawDirtyWidgets();
    glass.MarkDirty();
    EXPECT_FALSE(back.mDirty); // hidden behind the cover
    EXPECT_TRUE(cover.mDirty);
    EXPECT_TRUE(glass.mDirty);
    EXPECT_TRUE(front.mDirty);
    EXPECT_FALSE(apart.mDirty);

    // A cover with holes does not count: the walk goes on to the back.
    manager.DrawDirtyWidgets();
    cover.mHasTransparencies = true;
    glass.MarkDirty();
    EXPECT_TRUE(back.mDirty);
}

TEST_F(Tree, MarkingAnOpaqueWidgetRepaintsOnlyWhatOverlapsInFront)
{
    RecordingWidget back("B", &log), solid("S", &log), front("F", &log), apart("A", &log);
    back.Resize(0, 0, 100, 100);
    solid.Resize(20, 20, 20, 20);
    front.Resize(39, 39, 10, 10);
    apart.Resize(40, 0, 10, 10); // touches the edge only
    for (RecordingWidget* w : {&back, &solid, &front, &apart})
        manager.AddChild(w);
    manager.DrawDirtyWidgets();
    solid.MarkDirty();
    EXPECT_FALSE(back.mDirty);
    EXPECT_TRUE(front.mDirty);
    EXPECT_FALSE(apart.mDirty);
}

TEST_F(Tree, VisibilityAndResizeMarkTheRightAreas)
{
    RecordingWidget back("B", &log), w("W", &log);
    back.Resize(0, 0, 100, 100);
    w.Resize(10, 10, 10, 10);
    manager.AddChild(&back);
    manager.AddChild(&w);
    manager.DrawDirtyWidgets();

    w.Resize(10, 10, 10, 10);
    EXPECT_FALSE(back.mDirty || w.mDirty);
    w.SetVisible(false); // the old area shows what lies behind
    EXPECT_TRUE(back.mDirty);
    manager.DrawDirtyWidgets();
    w.SetVisible(true);
    EXPECT_FALSE(back.mDirty);
    EXPECT_TRUE(w.mDirty);
    manager.DrawDirtyWidgets();
    w.Move(50, 50);
    EXPECT_TRUE(back.mDirty);
    EXPECT_EQ(w.GetBounds(), Rect(50, 50, 10, 10));
}

struct HitCase
{
    int x, y;
    const char* expected; // name of the widget hit, "" for none
    int localX, localY;
};

TEST_F(Tree, HitTestTable)
{
    RecordingWidget panel("panel", &log), inner("inner", &log), framed("framed", &log), ghost("ghost", &log),
        ghostChild("ghostChild", &log), deaf("deaf", &log), deafChild("deafChild", &log),
        round("round", &log);
    panel.Resize(0, 0, 50, 50);
    inner.Resize(10, 10, 10, 10);
    panel.AddChild(&inner);
    framed.Resize(50, 0, 50, 50);
    framed.mInsets = EdgeInsets(24, 24, 24, 24); // only a 2 x 2 middle can be hit
    ghost.Resize(0, 50, 50, 50);
    ghost.mMouseVisible = false;
    ghostChild.Resize(5, 5, 5, 5);
    ghost.AddChild(&ghostChild);
    deaf.Resize(50, 50, 50, 50);
    deaf.mFlagMasks.mRemove = TREE_MOUSE;
    deafChild.Resize(0, 0, 10, 10);
    deafChild.mFlagMasks.mAdd = TREE_MOUSE;
    deaf.AddChild(&deafChild);
    for (RecordingWidget* w : {&panel, &framed, &ghost, &deaf})
        manager.AddChild(w);

    const HitCase cases[] = {
        {15, 15, "inner", 5, 5},    {19, 19, "inner", 9, 9},     {20, 15, "panel", 20, 15},
        {49, 49, "panel", 49, 49},  {50, 0, "", 0, 0},           {74, 24, "framed", 24, 24},
        {75, 25, "framed", 25, 25}, {76, 25, "", 0, 0},          {73, 25, "", 0, 0},
        {2, 52, "", 0, 0},          {6, 56, "ghostChild", 1, 1}, {55, 55, "", 0, 0},
        {99, 99, "", 0, 0},         {100, 50, "", 0, 0},
    };
    for (const HitCase& c : cases)
    {
        int lx = -100, ly = -100;
        Widget* hit = manager.FindWidgetAt(c.x, c.y, &lx, &ly);
        std::string name = hit != nullptr ? static_cast<RecordingWidget*>(hit)->mName : "";
        EXPECT_EQ(name, c.expected) << c.x << "," << c.y;
        if (hit != nullptr)
        {
            EXPECT_EQ(lx, c.localX) << c.x << "," << c.y;
            EXPECT_EQ(ly, c.localY) << c.x << "," << c.y;
        }
        else
        {
            EXPECT_EQ(lx, -100); // outputs untouched on a miss
        }
    }
}

TEST_F(Tree, HiddenAndTransparentWidgetsLetTheMouseThrough)
{
    struct HoleWidget : RecordingWidget
    {
        using RecordingWidget::RecordingWidget;
        bool IsOpaqueAt(int x, int) override { return x >= 5; }
    };
    RecordingWidget back("back", &log);
    HoleWidget holed("holed", &log);
    back.Resize(0, 0, 20, 20);
    holed.Resize(0, 0, 20, 20);
    manager.AddChild(&back);
    manager.AddChild(&holed);
    EXPECT_EQ(manager.FindWidgetAt(2, 2), &back);
    EXPECT_EQ(manager.FindWidgetAt(6, 2), &holed);
    holed.SetVisible(false);
    EXPECT_EQ(manager.FindWidgetAt(6, 2), &back);
}

TEST_F(Tree, IsBehindFollowsDrawingOrderDepthFirst)
{
    RecordingWidget a("A", &log), a1("A1", &log), b("B", &log), outside("X", &log);
    a.AddChild(&a1);
    manager.AddChild(&a);
    manager.AddChild(&b);
    EXPECT_TRUE(manager.IsBehind(&a, &a1));
    EXPECT_TRUE(manager.IsBehind(&a1, &b));
    EXPECT_FALSE(manager.IsBehind(&b, &a1));
    EXPECT_TRUE(manager.IsBehind(&a1, &outside));
    EXPECT_FALSE(manager.IsBehind(&outside, &a1));
    RecordingWidget other("O", &log);
    EXPECT_FALSE(manager.IsBehind(&outside, &other));
}

TEST_F(Tree, AttachingAndDetachingReachEveryDescendant)
{
    RecordingWidget top("T", &log), mid("M", &log), leaf("L", &log);
    top.AddChild(&mid);
    mid.AddChild(&leaf);
    EXPECT_EQ(leaf.mWidgetManager, nullptr);
    manager.AddChild(&top);
    EXPECT_EQ(leaf.mWidgetManager, &manager);
    EXPECT_EQ(leaf.GetAbsolutePosition().mX, 0);
    manager.RemoveChild(&top);
    EXPECT_EQ(top.mWidgetManager, nullptr);
    EXPECT_EQ(mid.mWidgetManager, nullptr);
    EXPECT_EQ(leaf.mWidgetManager, nullptr);
    EXPECT_EQ(top.mParent, nullptr);
    EXPECT_EQ(mid.mParent, &top);
}

TEST_F(Tree, AddingAWidgetToAnotherParentTakesItFromTheFirst)
{
    RecordingWidget first("F", &log), second("S", &log), moved("M", &log);
    manager.AddChild(&first);
    manager.AddChild(&second);
    first.AddChild(&moved);
    second.AddChild(&moved);
    EXPECT_FALSE(first.HasChild(&moved));
    EXPECT_TRUE(second.HasChild(&moved));
    EXPECT_EQ(moved.mParent, &second);
    EXPECT_EQ(moved.mWidgetManager, &manager);
}

TEST_F(Tree, DeletingAParentLeavesItsChildrenDetached)
{
    RecordingWidget child("C", &log);
    {
        RecordingWidget parent("P", &log);
        parent.AddChild(&child);
        manager.AddChild(&parent);
        manager.SetFocusWidget(&child);
    }
    EXPECT_EQ(child.mParent, nullptr);
    EXPECT_EQ(child.mWidgetManager, nullptr);
    EXPECT_EQ(manager.mFocusWidget, nullptr);
    EXPECT_TRUE(manager.GetChildren().empty());
}

TEST_F(Tree, RemoveAllChildrenCanDeleteRecursively)
{
    auto* top = new RecordingWidget("T", &log);
    auto* child = new RecordingWidget("C", &log);
    top->AddChild(child);
    manager.AddChild(top);
    manager.RemoveAllChildren(true, true);
    EXPECT_TRUE(manager.GetChildren().empty());
}

TEST_F(Tree, ColourTableGrowsAndFallsBack)
{
    RecordingWidget w("W", &log);
    w.SetColor(5, Color(1, 2, 3));
    ASSERT_EQ(w.mColors.size(), 6u);
    EXPECT_EQ(w.GetColor(0), Color(0, 0, 0, 255));
    EXPECT_EQ(w.GetColor(5), Color(1, 2, 3));
    EXPECT_EQ(w.GetColor(9), Color(0, 0, 0, 255));
    EXPECT_EQ(w.GetColor(-1), Color(0, 0, 0, 255));
    EXPECT_EQ(w.GetColorOr(9, Color(9, 9, 9)), Color(9, 9, 9));
    w.SetColor(-4, Color(1, 1, 1));
    EXPECT_EQ(w.mColors.size(), 6u);
}

TEST_F(Tree, CountDigits)
{
    RecordingWidget w("W", &log);
    const std::pair<int, int> cases[] = {{0, 1},   {9, 1},  {10, 2},         {99, 2},
                                         {100, 3}, {-5, 1}, {2147483647, 10}};
    for (auto [n, digits] : cases)
        EXPECT_EQ(w.CountDigits(n), digits) << n;
}

} // namespace
