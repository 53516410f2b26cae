#include "tests/framework/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;
using namespace widgettest;

namespace
{

struct Input : ::testing::Test
{
    Input()
    {
        a.Resize(10, 10, 20, 20);
        b.Resize(50, 10, 20, 20);
        manager.AddChild(&a);
        manager.AddChild(&b);
        log.clear();
    }

    std::string TakeLog()
    {
        std::string out = Join(log);
        log.clear();
        return out;
    }

    std::vector<std::string> log;
    Screen screen;
    WidgetManager& manager = screen.mManager;
    RecordingWidget a{"A", &log};
    RecordingWidget b{"B", &log};
};

TEST_F(Input, HoverFollowsTheMouse)
{
    manager.HandleMouseMove(15, 15);
    EXPECT_EQ(TakeLog(), "A:enter | A:move 5,5");
    EXPECT_TRUE(a.mIsOver);
    manager.HandleMouseMove(15, 15);
    EXPECT_EQ(TakeLog(), "");
    manager.HandleMouseMove(55, 12);
    EXPECT_EQ(TakeLog(), "A:leave | B:enter | B:move 5,2");
    EXPECT_FALSE(a.mIsOver);
    manager.HandleMouseExit();
    EXPECT_EQ(TakeLog(), "B:leave");
    EXPECT_EQ(manager.mOverWidget, nullptr);
}

TEST_F(Input, DragKeepsTheButtonsOnThePressedWidget)
{
    manager.HandleMouseMove(15, 15);
    manager.HandleMouseDown(15, 15, CLICK_LEFT);
    EXPECT_EQ(TakeLog(), "A:enter | A:move 5,5 | A:down 5,5 1");
    EXPECT_TRUE(a.mIsDown);

    // Off the widget and over another: the drag stays with A, nobody else hovers.
    manager.HandleMouseMove(55, 15);
    EXPECT_EQ(TakeLog(), "A:drag 45,5 | A:leave");
    manager.HandleMouseMove(56, 15);
    EXPECT_EQ(TakeLog(), "A:drag 46,5");
    manager.HandleMouseMove(20, 20);
    EXPECT_EQ(TakeLog(), "A:drag 10,10 | A:enter");

    manager.HandleMouseUp(60, 15, CLICK_LEFT);
    EXPECT_EQ(TakeLog(), "A:up 50,5 1 | A:leave | B:enter | B:move 10,5");
    EXPECT_FALSE(a.mIsDown);
    EXPECT_EQ(manager.mLastDownWidget, nullptr);
}

TEST_F(Input, SecondButtonGoesToTheWidgetAlreadyHoldingOne)
{
    manager.HandleMouseDown(15, 15, CLICK_LEFT);
    manager.HandleMouseMove(55, 15);
    log.clear();
    manager.HandleMouseDown(55, 15, CLICK_RIGHT);
    EXPECT_EQ(TakeLog(), "B:enter | B:move 5,5 | A:down 45,5 -1");
    EXPECT_EQ(manager.mDownButtons, MOUSE_BIT_LEFT | MOUSE_BIT_RIGHT);
    manager.HandleMouseUp(55, 15, CLICK_LEFT);
    EXPECT_EQ(manager.mLastDownWidget, &a);
    manager.HandleMouseUp(55, 15, CLICK_RIGHT);
    EXPECT_EQ(manager.mLastDownWidget, nullptr);
    EXPECT_EQ(TakeLog(), "A:up 45,5 1 | A:up 45,5 -1");
}

TEST_F(Input, PressOnNothingStillCountsAsHeld)
{
    manager.HandleMouseDown(90, 90, CLICK_MIDDLE);
    EXPECT_EQ(TakeLog(), "");
    EXPECT_EQ(manager.mDownButtons, MOUSE_BIT_MIDDLE);
    EXPECT_EQ(manager.mLastDownButtonId, 2);
    manager.HandleMouseMove(15, 15); // a drag: nothing hovers
    EXPECT_EQ(TakeLog(), "");
    manager.HandleMouseUp(15, 15, CLICK_MIDDLE);
    EXPECT_EQ(manager.mDownButtons, 0);
    EXPECT_EQ(TakeLog(), "A:enter | A:move 5,5");
}

TEST_F(Input, NestedWidgetsGetLocalCoordinatesOnPressDragAndRelease)
{
    RecordingWidget inner("I", &log);
    inner.Resize(5, 5, 10, 10);
    a.AddChild(&inner);
    log.clear();
    manager.HandleMouseDown(17, 18, CLICK_LEFT);
    manager.HandleMouseDrag(19, 18);
    manager.HandleMouseUp(19, 18, CLICK_LEFT);
    EXPECT_EQ(TakeLog(), "I:enter | I:move 2,3 | I:down 2,3 1 | I:drag 4,3 | I:up 4,3 1");
}

TEST_F(Input, DisabledWidgetsAreNeitherHoveredNorPressed)
{
    a.SetDisabled(true);
    manager.HandleMouseMove(15, 15);
    manager.HandleMouseDown(15, 15, CLICK_LEFT);
    EXPECT_EQ(TakeLog(), "");
    manager.HandleMouseUp(15, 15, CLICK_LEFT);
    a.SetDisabled(false); // the mouse is on it: it becomes hovered at once
    EXPECT_EQ(TakeLog(), "A:enter | A:move 5,5");
}

TEST_F(Input, DisablingTheFocusedPressedWidgetTakesEverythingAway)
{
    a.mAcceptsFocus = true;
    manager.HandleMouseDown(15, 15, CLICK_LEFT);
    EXPECT_EQ(manager.mFocusWidget, &a);
    log.clear();
    a.SetDisabled(true);
    EXPECT_EQ(TakeLog(), "A:leave | A:up 5,5 1 | A:blur");
    EXPECT_EQ(manager.mFocusWidget, nullptr);
    EXPECT_EQ(manager.mLastDownWidget, nullptr);
    EXPECT_EQ(manager.mDownButtons, 0);
}

TEST_F(Input, FocusKeysAndTabChain)
{
    a.mAcceptsFocus = true;
    a.mTabNext = &b;
    b.mTabPrev = &a;
    manager.HandleMouseDown(15, 15, CLICK_LEFT);
    manager.HandleMouseUp(15, 15, CLICK_LEFT);
    log.clear();

    manager.HandleKeyDown('K');
    manager.HandleChar('k');
    manager.HandleKeyUp('K');
    manager.HandleMouseWheel(-2);
    EXPECT_EQ(TakeLog(), "A:keydown 75 | A:char 107 | A:keyup 75 | A:wheel -2");

    manager.HandleKeyDown(9);
    EXPECT_EQ(TakeLog(), "A:keydown 9 | A:blur | B:focus");
    EXPECT_EQ(manager.mFocusWidget, &b);
    manager.HandleKeyUp(9);
    log.clear();

    // Shift+Tab goes back; with no previous widget the focus stays.
    manager.HandleKeyDown(16);
    manager.HandleKeyDown(9);
    EXPECT_EQ(TakeLog(), "B:keydown 16 | B:keydown 9 | B:blur | A:focus");
    manager.HandleKeyDown(9);
    EXPECT_EQ(manager.mFocusWidget, &a);
}

TEST_F(Input, CtrlTabCharacterGoesToTheDefaultTabWidgetAndItsKeyUpToNobody)
{
    manager.SetFocusWidget(&a);
    manager.mDefaultTab = &b;
    log.clear();
    manager.HandleKeyDown(17);
    manager.HandleKeyDown(9);
    manager.HandleChar(9);
    manager.HandleChar(0x109); // only the low byte counts
    manager.HandleKeyUp(9);
    manager.HandleKeyUp(17);
    EXPECT_EQ(TakeLog(), "A:keydown 17 | A:keydown 9 | B:char 9 | B:char 9 | A:keyup 17");
}

TEST_F(Input, KeyCodesOutsideTheTableReachOnlyTheFocusWidget)
{
    manager.SetFocusWidget(&a);
    log.clear();
    for (int key : {-1, 255, 256, 100000, -100000})
    {
        manager.HandleKeyDown(key);
        EXPECT_FALSE(manager.IsKeyDown(key));
        manager.HandleKeyUp(key);
    }
    EXPECT_EQ(TakeLog(),
              "A:keydown -1 | A:keyup -1 | A:keydown 255 | A:keyup 255 | A:keydown 256 | "
              "A:keyup 256 | A:keydown 100000 | A:keyup 100000 | A:keydown -100000 | A:keyup -100000");
    manager.HandleKeyDown(254);
    EXPECT_TRUE(manager.IsKeyDown(254));
}

TEST_F(Input, LosingTheApplicationFocusReleasesKeysAndComesBackToTheSameWidget)
{
    manager.SetFocusWidget(&a);
    manager.HandleKeyDown(16);
    log.clear();
    manager.OnAppFocusLost();
    EXPECT_EQ(TakeLog(), "A:keyup 16 | A:blur");
    EXPECT_FALSE(manager.IsKeyDown(16));
    EXPECT_EQ(manager.mFocusWidget, &a);
    manager.OnAppFocusLost();
    EXPECT_EQ(TakeLog(), "");
    manager.OnAppFocusGained();
    EXPECT_EQ(TakeLog(), "A:focus");

    // Lost-focus masks apply to the walks while the focus is away.
    manager.mLostFocusMasks.mRemove = TREE_UPDATE;
    manager.OnAppFocusLost();
    manager.UpdateWidgets();
    EXPECT_EQ(a.mUpdates, 0);
    manager.OnAppFocusGained();
    manager.UpdateWidgets();
    EXPECT_EQ(a.mUpdates, 1);
}

TEST_F(Input, FocusOnlyGoesToWidgetsOfThisManager)
{
    RecordingWidget detached("D", &log);
    manager.SetFocusWidget(&a);
    manager.SetFocusWidget(&detached);
    EXPECT_EQ(manager.mFocusWidget, nullptr);
    EXPECT_EQ(TakeLog(), "A:focus | A:blur");
}

TEST_F(Input, PopupIsDismissedByAPressOutsideIt)
{
    RecordingWidget popup("P", &log);
    popup.Resize(0, 60, 30, 30);
    manager.AddChild(&popup);
    manager.mPopupWidget = &popup;
    manager.HandleMouseDown(10, 70, CLICK_LEFT);
    manager.HandleMouseUp(10, 70, CLICK_LEFT);
    EXPECT_TRUE(manager.HasChild(&popup));
    log.clear();
    manager.HandleMouseDown(15, 15, CLICK_LEFT);
    EXPECT_FALSE(manager.HasChild(&popup));
    EXPECT_EQ(manager.mPopupWidget, nullptr);
    EXPECT_EQ(TakeLog(), "P:leave | A:enter | A:move 5,5 | A:down 5,5 1");
}

TEST_F(Input, RemovedOrDeletedWidgetsAreForgottenEverywhere)
{
    auto* doomed = new RecordingWidget("X", &log);
    doomed->Resize(0, 60, 30, 30);
    doomed->mAcceptsFocus = true;
    manager.AddChild(doomed);
    manager.mDefaultTab = doomed;
    manager.mPopupWidget = doomed;
    manager.HandleMouseDown(10, 70, CLICK_LEFT);
    manager.PushModalWithMasks(doomed, FlagMasks{});
    ASSERT_EQ(manager.mOverWidget, doomed);
    ASSERT_EQ(manager.mLastDownWidget, doomed);
    ASSERT_EQ(manager.mFocusWidget, doomed);
    ASSERT_EQ(manager.mBaseModalWidget, doomed);
    delete doomed;
    EXPECT_EQ(manager.mOverWidget, nullptr);
    EXPECT_EQ(manager.mLastDownWidget, nullptr);
    EXPECT_EQ(manager.mFocusWidget, nullptr);
    EXPECT_EQ(manager.mBaseModalWidget, nullptr);
    EXPECT_EQ(manager.mDefaultTab, nullptr);
    EXPECT_EQ(manager.mPopupWidget, nullptr);
    EXPECT_EQ(manager.mDownButtons, 0);
    EXPECT_EQ(manager.GetChildren().size(), 2u);
    // Input afterwards touches nothing that is gone.
    manager.HandleMouseUp(10, 70, CLICK_LEFT);
    manager.HandleKeyDown('A');
    manager.HandleChar(9);
}

TEST_F(Input, ModalLayerTakesMouseAndFocusFromWidgetsBehindIt)
{
    a.mAcceptsFocus = true;
    manager.HandleMouseDown(15, 15, CLICK_LEFT);
    manager.HandleMouseUp(15, 15, CLICK_LEFT);
    manager.HandleMouseMove(55, 15);
    RecordingWidget dialog("D", &log);
    dialog.Resize(40, 40, 20, 20);
    manager.AddChild(&dialog);
    log.clear();

    manager.PushModal(&dialog);
    EXPECT_EQ(TakeLog(), "B:leave | A:blur");
    manager.HandleMouseMove(15, 15);
    manager.HandleMouseDown(15, 15, CLICK_LEFT);
    EXPECT_EQ(TakeLog(), "");
    manager.HandleMouseUp(15, 15, CLICK_LEFT);
    manager.HandleMouseMove(45, 45);
    EXPECT_EQ(TakeLog(), "D:enter | D:move 5,5");

    // Behind the modal widget nothing updates unless the masks allow it; the widget itself does.
    manager.mBelowModalMasks.mRemove |= TREE_UPDATE;
    manager.UpdateWidgets();
    EXPECT_EQ(a.mUpdates, 0);
    EXPECT_EQ(dialog.mUpdates, 1);

    manager.PopModal(&a); // not the newest layer
    EXPECT_EQ(manager.mBaseModalWidget, &dialog);
    manager.PopModal(&dialog);
    EXPECT_EQ(manager.mBaseModalWidget, nullptr);
    EXPECT_EQ(manager.mFocusWidget, &a);
    EXPECT_EQ(TakeLog(), "D:update | A:focus");
}

TEST_F(Input, PoppingGivesBackFocusOnlyWhenNobodyTookIt)
{
    RecordingWidget first("F", &log), second("S", &log);
    manager.AddChild(&first);
    manager.AddChild(&second);
    manager.SetFocusWidget(&a);
    manager.PushModal(&first);
    manager.SetFocusWidget(&first);
    manager.PushModal(&second);
    EXPECT_EQ(manager.mFocusWidget, nullptr);
    manager.PopModal(&second);
    EXPECT_EQ(manager.mFocusWidget, &first);
    manager.SetFocusWidget(&b);
    manager.PopModal(&first);
    EXPECT_EQ(manager.mFocusWidget, &b);
}

TEST_F(Input, PoppingThroughALayerWhoseBaseLeftTheTreeReachesTheLayerBelow)
{
    RecordingWidget first("F", &log), second("S", &log);
    manager.AddChild(&first);
    manager.AddChild(&second);
    manager.PushModal(&first);
    manager.PushModal(&second);
    manager.RemoveChild(&first); // clears the second entry's previous base
    manager.PopModal(&second);
    EXPECT_TRUE(manager.mModalStack.empty());
    EXPECT_EQ(manager.mBaseModalWidget, nullptr);
}

TEST_F(Input, MouseMappingScalesWindowPositions)
{
    int x = 801, y = 599;
    manager.SetMouseMapping(Rect(0, 0, 800, 600), Rect(0, 0, 1600, 1200));
    manager.MapMousePosition(x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 299);
    manager.SetMouseMapping(Rect(10, 20, 800, 600), Rect(10, 20, 800, 600));
    x = 123;
    y = 456;
    manager.MapMousePosition(x, y);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 456);
    EXPECT_EQ(manager.mWidth, 820);
    EXPECT_EQ(manager.mHeight, 640);
}

TEST_F(Input, ClickCodesMapToButtonsAndReleasesComeBeforeButtonUps)
{
    struct Buttons : Widget
    {
        std::vector<std::string>* mLog;
        void OnMouseButtonDown(int, int, int button, int count) override
        {
            mLog->push_back("down " + std::to_string(button) + "/" + std::to_string(count));
        }
        void OnMouseButtonUp(int, int, int button, int count) override
        {
            mLog->push_back("up " + std::to_string(button) + "/" + std::to_string(count));
        }
        void OnMouseReleased(int, int) override { mLog->push_back("released"); }
    } w;
    w.mLog = &log;
    w.OnMouseDown(0, 0, CLICK_RIGHT_DOUBLE);
    w.OnMouseDown(0, 0, CLICK_MIDDLE);
    w.OnMouseDown(0, 0, CLICK_LEFT_DOUBLE);
    w.OnMouseUp(0, 0, CLICK_RIGHT);
    EXPECT_EQ(TakeLog(), "down 1/2 | down 2/1 | down 0/2 | released | up 1/1");
}

} // namespace
