#include "framework/widgets/Dialog.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/DialogRegistry.h"
#include "tests/framework/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Quib;
using namespace widgettest;

namespace
{

// The application's side of the registry: answers dialogs in its button
// handler and deletes deferred widgets when the test says so.
class FakeApp : public DialogRegistryHost
{
public:
    explicit FakeApp(WidgetManager& manager) : mRegistry(manager, *this) {}
    ~FakeApp() override { FlushDeletes(); }

    Dialog* MakeDialog(int id, bool modal, const std::string& header, const std::string& lines,
                       const std::string& footer, int buttonMode) override
    {
        Dialog* dialog = mRegistry.MakeDialog(id, modal, header, lines, footer, buttonMode);
        dialog->SetHeaderFont(&mFont);
        dialog->SetLinesFont(&mFont);
        dialog->SetButtonFont(&mFont);
        return dialog;
    }
    void AddDialog(int id, Dialog* dialog) override { mRegistry.AddDialog(id, dialog); }
    void CloseDialog(int id) override { mRegistry.CloseDialog(id); }
    bool CloseDialog(int id, bool removeWidget, bool deleteWidget) override
    {
        return mRegistry.CloseDialog(id, removeWidget, deleteWidget);
    }
    void OnModalDialogOpened() override { mEvents.push_back("opened"); }
    void OnModalDialogClosed() override { mEvents.push_back("closed"); }
    void DeferWidgetDelete(Widget* widget) override { mDeferred.push_back(widget); }
    int GetAppWidth() override { return 800; }
    int GetAppHeight() override { return 600; }
    void OnButtonPressed(int id) override { mEvents.push_back("pressed " + std::to_string(id)); }
    void OnButtonReleased(int id) override { mEvents.push_back("released " + std::to_string(id)); }
    void OnDialogButtonPressed(int dialogId, int buttonId) override
    {
        mRegistry.OnDialogButtonPressed(dialogId, buttonId);
    }
    void OnDialogButtonReleased(int dialogId, int buttonId) override
    {
        mRegistry.OnDialogButtonReleased(dialogId, buttonId);
    }

    void FlushDeletes()
    {
        for (Widget* widget : mDeferred)
            delete widget;
        mDeferred.clear();
    }

    FakeFont mFont;
    DialogRegistry mRegistry;
    std::vector<std::string> mEvents;
    std::vector<Widget*> mDeferred;
};

struct Dialogs : ::testing::Test
{
    Dialogs() { manager.SetMouseMapping(Rect(0, 0, 800, 600), Rect(0, 0, 800, 600)); }

    void Click(Widget* widget)
    {
        WidgetPoint at = widget->GetAbsolutePosition();
        int x = at.mX + widget->mWidth / 2;
        int y = at.mY + widget->mHeight / 2;
        manager.HandleMouseMove(x, y);
        manager.HandleMouseDown(x, y, CLICK_LEFT);
        manager.HandleMouseUp(x, y, CLICK_LEFT);
    }

    Screen screen;
    WidgetManager& manager = screen.mManager;
    FakeApp app{manager};
    DialogRegistry& registry = app.mRegistry;
};

TEST_F(Dialogs, NewDialogIsSizedPlacedAndMadeModal)
{
    Dialog* dialog = registry.ShowDialog(5, true, "Title", "Hello", "", DIALOG_MODE_YES_NO);
    EXPECT_EQ(dialog->mWidth, 400);
    EXPECT_EQ(dialog->mX, 200);
    EXPECT_EQ(dialog->mY, 120);
    Graphics g;
    g.SetFont(&app.mFont);
    const int body = g.MeasureWrappedHeight(400 - 48 - 4, "Hello", 10);
    EXPECT_EQ(dialog->mHeight, 48 + 10 + 10 + body + 8 + 24 + 8);
    EXPECT_EQ(dialog->GetPreferredHeight(400), dialog->mHeight);

    EXPECT_EQ(manager.mBaseModalWidget, dialog);
    EXPECT_EQ(app.mEvents, (std::vector<std::string>{"opened"}));
    // The buttons are top-level, just in front of the dialog, laid out along its bottom.
    auto children = manager.GetChildren();
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children.front(), dialog);
    EXPECT_EQ(dialog->mYesButton->mLabel, "YES");
    EXPECT_EQ(dialog->mNoButton->mLabel, "NO");
    EXPECT_EQ(dialog->mYesButton->GetBounds(), Rect(224, 120 + dialog->mHeight - 48, 172, 24));
    EXPECT_EQ(dialog->mNoButton->GetBounds(), Rect(404, 120 + dialog->mHeight - 48, 172, 24));
}

TEST_F(Dialogs, ClickingTheSecondButtonAnswersWithTheDerivedId)
{
    Dialog* dialog = registry.ShowDialog(5, true, "", "Sure?", "", DIALOG_MODE_OK_CANCEL);
    app.mEvents.clear();
    Click(dialog->mNoButton.get());
    EXPECT_EQ(app.mEvents, (std::vector<std::string>{"pressed 3005", "released 3005"}));
    EXPECT_EQ(dialog->mResult, DIALOG_SECOND_BUTTON_ID);

    app.mEvents.clear();
    Click(dialog->mYesButton.get());
    EXPECT_EQ(app.mEvents, (std::vector<std::string>{"pressed 2005", "released 2005"}));

    EXPECT_TRUE(registry.CloseDialog(5));
    EXPECT_EQ(manager.GetChildren().size(), 0u);
    EXPECT_EQ(manager.mBaseModalWidget, nullptr);
    EXPECT_EQ(app.mDeferred, (std::vector<Widget*>{dialog}));
}

TEST_F(Dialogs, ShowingUnderATakenIdReplacesTheDialog)
{
    Dialog* first = registry.ShowDialog(1, true, "A", "", "", DIALOG_MODE_NONE);
    Dialog* second = registry.ShowDialog(1, true, "B", "", "", DIALOG_MODE_NONE);
    EXPECT_EQ(registry.GetDialogCount(), 1);
    EXPECT_EQ(registry.GetDialog(1), second);
    EXPECT_EQ(app.mDeferred, (std::vector<Widget*>{first}));
    EXPECT_FALSE(manager.HasChild(first));
    EXPECT_EQ(manager.mBaseModalWidget, second);
    EXPECT_EQ(app.mEvents, (std::vector<std::string>{"opened", "closed", "opened"}));
}

TEST_F(Dialogs, ReAddingARegisteredDialogKeepsItAlive)
{
    Dialog* dialog = registry.ShowDialog(2, true, "A", "", "", DIALOG_MODE_SINGLE);
    registry.AddDialog(dialog);
    registry.AddDialog(7, dialog);
    EXPECT_TRUE(app.mDeferred.empty());
    EXPECT_EQ(registry.GetDialogCount(), 1);
    EXPECT_EQ(registry.GetDialog(2), nullptr);
    EXPECT_EQ(registry.GetDialog(7), dialog);
    EXPECT_EQ(manager.mBaseModalWidget, dialog);
    EXPECT_EQ(manager.mModalStack.size(), 1u);
    EXPECT_TRUE(manager.HasChild(dialog));
}

TEST_F(Dialogs, ClosingWithoutRemovingLeavesTheDialogInTheTree)
{
    EXPECT_FALSE(registry.CloseDialog(42));
    EXPECT_EQ(registry.GetDialog(42), nullptr);
    Dialog* dialog = registry.ShowDialog(3, true, "A", "", "", DIALOG_MODE_NONE);
    EXPECT_TRUE(registry.CloseDialog(3, false, false));
    EXPECT_EQ(registry.GetDialogCount(), 0);
    EXPECT_TRUE(manager.HasChild(dialog));
    EXPECT_EQ(manager.mBaseModalWidget, nullptr);
    EXPECT_TRUE(app.mDeferred.empty());
    manager.RemoveChild(dialog);
    delete dialog;
}

TEST_F(Dialogs, RegistryDeletesWhatIsStillRegistered)
{
    {
        FakeApp other(manager);
        other.mRegistry.ShowDialog(1, false, "A", "", "", DIALOG_MODE_YES_NO);
        EXPECT_EQ(manager.GetChildren().size(), 3u);
    }
    EXPECT_TRUE(manager.GetChildren().empty());
}

TEST_F(Dialogs, SingleButtonModeUsesTheFooterAsItsLabel)
{
    Dialog* with = registry.ShowDialog(1, false, "", "", "Continue", DIALOG_MODE_SINGLE);
    Dialog* without = registry.ShowDialog(2, false, "", "", "Continue", DIALOG_MODE_NONE);
    ASSERT_NE(with->mYesButton, nullptr);
    EXPECT_EQ(with->mNoButton, nullptr);
    EXPECT_EQ(with->mYesButton->mLabel, "Continue");
    EXPECT_EQ(with->mYesButton->GetBounds(), Rect(224, with->mY + with->mHeight - 48, 352, 24));
    // Mode 3 measures the button, not a footer line; mode 0 the footer line.
    EXPECT_EQ(with->GetPreferredHeight(400), 48 + 24 + 8);
    EXPECT_EQ(without->GetPreferredHeight(400), 48 + 10);
    EXPECT_EQ(without->mYesButton, nullptr);
}

TEST_F(Dialogs, DraggingStopsEightPixelsPastTheEdge)
{
    Dialog* dialog = registry.ShowDialog(1, false, "", "", "", DIALOG_MODE_NONE);
    dialog->Resize(100, 100, 300, 200);
    manager.HandleMouseDown(150, 150, CLICK_LEFT);
    EXPECT_EQ(screen.mHost.LastCursor(), CURSOR_DRAGGING);
    manager.HandleMouseMove(900, 150);
    EXPECT_EQ(dialog->mX, 508);
    manager.HandleMouseMove(-900, -900);
    EXPECT_EQ(dialog->mX, -8);
    EXPECT_EQ(dialog->mY, -8);
    manager.HandleMouseUp(-900, -900, CLICK_LEFT);
    EXPECT_FALSE(dialog->mDragging);
    EXPECT_EQ(screen.mHost.LastCursor(), CURSOR_ARROW);

    manager.HandleMouseDown(20, 20, CLICK_LEFT);
    manager.HandleMouseUp(20, 20, CLICK_LEFT);
    manager.HandleMouseDown(20, 20, CLICK_LEFT_DOUBLE);
    EXPECT_FALSE(dialog->mDragging);
}

TEST_F(Dialogs, WaitForAnswerRunsTheLoopUntilAButtonIsClicked)
{
    Dialog* dialog = registry.ShowDialog(6, true, "", "Quit?", "", DIALOG_MODE_YES_NO);
    int steps = 0;
    screen.mHost.mLoopStep = [&]
    {
        if (++steps == 3)
            Click(dialog->mYesButton.get());
        return true;
    };
    EXPECT_EQ(dialog->WaitForAnswer(true), DIALOG_FIRST_BUTTON_ID);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(screen.mHost.mClosedDialogs, (std::vector<int>{6}));
}

TEST_F(Dialogs, WaitForAnswerGivesUpWhenTheLoopEndsOrTheDialogLeaves)
{
    Dialog* dialog = registry.ShowDialog(6, true, "", "Quit?", "", DIALOG_MODE_YES_NO);
    screen.mHost.mLoopStep = [] { return false; };
    EXPECT_EQ(dialog->WaitForAnswer(false), INT_MAX);
    screen.mHost.mLoopStep = [&]
    {
        manager.RemoveChild(dialog);
        return true;
    };
    EXPECT_EQ(dialog->WaitForAnswer(false), INT_MAX);
    EXPECT_TRUE(screen.mHost.mClosedDialogs.empty());
}

TEST_F(Dialogs, ButtonLabelColoursFollowTheDialog)
{
    Dialog* dialog = registry.ShowDialog(1, false, "", "", "", DIALOG_MODE_YES_NO);
    dialog->SetColor(Dialog::COLOR_BUTTON_TEXT, Color(1, 2, 3));
    dialog->SetColor(Dialog::COLOR_BUTTON_TEXT_HILITE, Color(4, 5, 6));
    EXPECT_EQ(dialog->mNoButton->GetColor(ButtonWidget::COLOR_LABEL), Color(1, 2, 3));
    EXPECT_EQ(dialog->mYesButton->GetColor(ButtonWidget::COLOR_LABEL_HILITE), Color(4, 5, 6));
    // Moving the dialog to the front takes its buttons along.
    RecordingWidget other("O", nullptr);
    manager.AddChild(&other);
    manager.MoveToFront(dialog);
    auto children = manager.GetChildren();
    EXPECT_EQ(children.front(), &other);
    EXPECT_EQ(*std::next(children.begin()), dialog);
    manager.RemoveChild(&other);
}

} // namespace
