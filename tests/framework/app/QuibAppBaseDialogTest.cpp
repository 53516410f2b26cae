#include "framework/widgets/Dialog.h"
#include "framework/widgets/WidgetManager.h"
#include "tests/framework/app/AppLifeSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace applife;

namespace
{

// A dialog whose deletion is observable, made by the application's own MakeDialog.
class CountedDialog : public Quib::Dialog
{
public:
    CountedDialog(int id, bool modal, int mode, int* deleted)
        : Quib::Dialog(id, modal, "Header", "Lines", "", mode), mDeleted(deleted)
    {
    }
    ~CountedDialog() override { ++*mDeleted; }
    int* mDeleted;
};

class DialogApp : public LifeApp
{
public:
    Quib::Dialog* MakeDialog(int id, bool modal, const std::string& header, const std::string& lines,
                             const std::string& footer, int buttonMode) override
    {
        (void)header;
        (void)lines;
        (void)footer;
        auto* dialog = new CountedDialog(id, modal, buttonMode, &mDeleted);
        dialog->mDialogListener = this;
        return dialog;
    }
    void OnButtonPressed(int id) override { mButtons.push_back("press " + std::to_string(id)); }
    void OnButtonReleased(int id) override { mButtons.push_back("release " + std::to_string(id)); }
    void OnModalDialogOpened() override { mButtons.push_back("opened"); }
    void OnModalDialogClosed() override { mButtons.push_back("closed"); }

    int mDeleted = 0;
    std::vector<std::string> mButtons;
};

bool InWidgetTree(DialogApp& app, Quib::Widget* widget)
{
    for (Quib::Widget* child : app.mWidgetManager->mChildren)
        if (child == widget)
            return true;
    return false;
}

TEST(QuibAppBaseDialogTest, ShowDialogUsesTheApplicationsMakeDialogPlacesItAndAnswersThroughItsButtons)
{
    DialogApp app;
    Quib::Dialog* dialog = app.ShowDialog(5, true, "Header", "Lines", "", Quib::DIALOG_MODE_YES_NO);
    ASSERT_NE(dynamic_cast<CountedDialog*>(dialog), nullptr);
    EXPECT_EQ(app.GetDialog(5), dialog);
    EXPECT_EQ(app.GetDialogCount(), 1);
    EXPECT_TRUE(InWidgetTree(app, dialog));
    EXPECT_EQ(dialog->mX, 200);
    EXPECT_EQ(dialog->mY, 120);
    EXPECT_EQ(dialog->mWidth, 400);
    EXPECT_EQ(dialog->mHeight, dialog->GetPreferredHeight(400));

    dialog->OnButtonPressed(Quib::DIALOG_SECOND_BUTTON_ID);
    dialog->OnButtonReleased(Quib::DIALOG_SECOND_BUTTON_ID);
    dialog->OnButtonReleased(Quib::DIALOG_FIRST_BUTTON_ID);
    dialog->OnButtonReleased(7);
    EXPECT_EQ(app.mButtons,
              (std::vector<std::string>{"opened", "press 3005", "release 3005", "release 2005"}));
}

TEST(QuibAppBaseDialogTest, ClosingByIdGoesThroughTheRegistryAndDefersTheDeletion)
{
    DialogApp app;
    Quib::WidgetHost& host = app;
    Quib::Dialog* first = app.ShowDialog(3, true, "", "", "", Quib::DIALOG_MODE_OK_CANCEL);
    Quib::Dialog* second = app.ShowDialog(3, true, "", "", "", Quib::DIALOG_MODE_OK_CANCEL);
    EXPECT_EQ(app.GetDialogCount(), 1);
    EXPECT_EQ(app.GetDialog(3), second);
    EXPECT_FALSE(InWidgetTree(app, first));
    EXPECT_EQ(app.mDeleted, 0);
    app.mMainLoop.FlushDeferredDeletes();
    EXPECT_EQ(app.mDeleted, 1);

    // The widgets' own close (a dialog answering WaitForAnswer) reaches the same registry.
    host.CloseDialog(3);
    EXPECT_EQ(app.GetDialog(3), nullptr);
    EXPECT_EQ(app.GetDialogCount(), 0);
    EXPECT_FALSE(InWidgetTree(app, second));
    app.mMainLoop.FlushDeferredDeletes();
    EXPECT_EQ(app.mDeleted, 2);
    EXPECT_FALSE(app.CloseDialog(3, true, true));
    EXPECT_EQ(app.mButtons, (std::vector<std::string>{"opened", "closed", "opened", "closed"}));
}

TEST(QuibAppBaseDialogTest, CloseWithoutRemoveLeavesTheDialogAliveAndTheRestAreDeletedWithTheApplication)
{
    int deleted = 0;
    auto* kept = new CountedDialog(9, true, Quib::DIALOG_MODE_NONE, &deleted);
    {
        DialogApp app;
        app.AddDialog(kept);
        EXPECT_TRUE(app.CloseDialog(9, false, false));
        EXPECT_EQ(app.GetDialog(9), nullptr);
        EXPECT_TRUE(InWidgetTree(app, kept));
        EXPECT_EQ(app.mWidgetManager->mBaseModalWidget, nullptr);
        app.mWidgetManager->RemoveChild(kept);

        app.AddDialog(new CountedDialog(4, false, Quib::DIALOG_MODE_NONE, &deleted));
        EXPECT_EQ(app.GetDialogCount(), 1);
    }
    EXPECT_EQ(deleted, 1);
    delete kept;
}

} // namespace

namespace
{

// An application that watches its own add and close operations.
class WatchingApp : public DialogApp
{
public:
    void AddDialog(int id, Quib::Dialog* dialog) override
    {
        mSteps.push_back("add " + std::to_string(id));
        DialogApp::AddDialog(id, dialog);
    }
    void CloseDialog(int id) override
    {
        mSteps.push_back("close " + std::to_string(id));
        DialogApp::CloseDialog(id);
    }
    bool CloseDialog(int id, bool removeWidget, bool deleteWidget) override
    {
        mSteps.push_back("close " + std::to_string(id) + (removeWidget ? " remove" : "") +
                         (deleteWidget ? " delete" : ""));
        return DialogApp::CloseDialog(id, removeWidget, deleteWidget);
    }
    using DialogApp::AddDialog;
    using DialogApp::CloseDialog;
    std::vector<std::string> mSteps;
};

// Showing, adding and both forms of closing go through the application's own
// operations, so an application that overrides one sees every use of it.
TEST(QuibAppBaseDialogTest, EveryDialogStepGoesThroughTheApplicationsOperations)
{
    WatchingApp app;
    Quib::Dialog* dialog = app.ShowDialog(5, false, "Header", "Lines", "", Quib::DIALOG_MODE_NONE);
    EXPECT_EQ(app.mSteps, (std::vector<std::string>{"close 5", "close 5 remove delete", "add 5", "close 5",
                                                    "close 5 remove delete"}));
    app.mSteps.clear();
    EXPECT_TRUE(app.CloseDialog(dialog));
    EXPECT_EQ(app.mSteps, (std::vector<std::string>{"close 5", "close 5 remove delete"}));

    app.mSteps.clear();
    auto* added = new CountedDialog(6, false, Quib::DIALOG_MODE_NONE, &app.mDeleted);
    app.AddDialog(added);
    EXPECT_EQ(app.mSteps, (std::vector<std::string>{"add 6", "close 6", "close 6 remove delete"}));
    EXPECT_EQ(app.GetDialog(6), added);
}

} // namespace
