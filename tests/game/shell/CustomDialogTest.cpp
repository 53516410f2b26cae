#include "game/shell/CustomDialog.h"

#include "game/shell/CustomDialogListener.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/StringTable.h"
#include "tests/framework/widgets/WidgetTestSupport.h"
#include "tests/game/shell/FakeGameTime.h"
#include "tests/game/shell/ShellTestSupport.h"

#include <gtest/gtest.h>
#include <string>

using shelltest::FakeGameTime;
using shelltest::kBlack;
using shelltest::kWhite;
using shelltest::PlainPicture;
using shelltest::ShellApp;

namespace
{

constexpr uint32_t kPanel = 0xFF336699;
constexpr uint32_t kButton = 0xFF884422;

// The pictures, font and button texts a dialog uses, as the game provides them.
struct DialogResources
{
    DialogResources()
    {
        IMAGE_YES_NO_DIALOG = panel.get();
        IMAGE_BUTTON_MAIN_MENU_SMALL = button.get();
        IMAGE_BUTTON_MAIN_MENU_OVER_SMALL = button.get();
        IMAGE_BUTTON_MAIN_MENU_DOWN_SMALL = button.get();
        FONT_BUTTON_LABELS = &font;
        StringTable::GetInstance().Set("BTN_DIALOG_YES", "YES");
        StringTable::GetInstance().Set("BTN_DIALOG_NO", "NO");
    }
    ~DialogResources()
    {
        IMAGE_YES_NO_DIALOG = nullptr;
        IMAGE_BUTTON_MAIN_MENU_SMALL = nullptr;
        IMAGE_BUTTON_MAIN_MENU_OVER_SMALL = nullptr;
        IMAGE_BUTTON_MAIN_MENU_DOWN_SMALL = nullptr;
        FONT_BUTTON_LABELS = nullptr;
        StringTable::DeleteInstance();
    }
    std::unique_ptr<Quib::MemoryImage> panel = PlainPicture(300, 200, kPanel);
    std::unique_ptr<Quib::MemoryImage> button = PlainPicture(100, 40, kButton);
    widgettest::FakeFont font;
};

struct Answers : CustomDialogListener
{
    void OnDialogClosed(int32_t dialogId, int32_t result) override
    {
        log += std::to_string(dialogId) + ":" + std::to_string(result) + " ";
        if (stack)
            PopGameState(stack);
    }
    std::string log;
    GameStateStack* stack = nullptr;
};

struct Dialogs : ::testing::Test
{
    Dialogs() { answers.stack = &stack; }

    CustomDialog* Open(int32_t mode, bool dim = true, bool vertical = false)
    {
        auto* dialog = new CustomDialog("Leave the house?", 7, mode, dim, vertical);
        dialog->Resize(0, 0, 800, 600);
        dialog->Move(0, 0);
        dialog->SetListener(&answers);
        PushGameState(dialog, &stack);
        return dialog;
    }
    // One pass of the run loop after some game time.
    void Frame(uint32_t ms = 10)
    {
        time.Advance(ms);
        app.Manager().UpdateWidgetsFraction(1.0f);
    }
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }
    void Click(MenuItem& button)
    {
        app.Manager().HandleMouseDown(button.mX + 5, button.mY + 5, Quib::CLICK_LEFT);
        app.Manager().HandleMouseUp(button.mX + 5, button.mY + 5, Quib::CLICK_LEFT);
    }

    DialogResources resources;
    FakeGameTime time;
    ShellApp app;
    GameStateStack stack;
    Answers answers;
};

TEST_F(Dialogs, RefusesClicksWhileSlidingInAndAnswersOnceItHasSlidOut)
{
    CustomDialog* dialog = Open(CustomDialog::BUTTONS_YES_NO);
    EXPECT_EQ(dialog->mPanelX, 800);
    EXPECT_TRUE(dialog->IsAnimating());
    Frames(5);
    EXPECT_TRUE(dialog->IsAnimating());
    EXPECT_LT(dialog->mFirstButton->mX, 800);
    Click(*dialog->mFirstButton);
    EXPECT_EQ(dialog->mResult, CustomDialog::RESULT_NONE);
    Frames(30);
    EXPECT_FALSE(dialog->IsAnimating());
    EXPECT_EQ(dialog->mPanelX, 250);

    Click(*dialog->mFirstButton);
    EXPECT_EQ(dialog->mResult, CustomDialog::RESULT_YES);
    EXPECT_TRUE(dialog->IsAnimating());
    Frames(30);
    EXPECT_EQ(answers.log, "7:0 ");
    EXPECT_TRUE(stack.Empty());
    EXPECT_FALSE(app.Manager().HasChild(dialog));
    EXPECT_TRUE(app.Manager().mChildren.empty());
    app.FlushDeletes();
}

TEST_F(Dialogs, NoThenYesGivesOneAnswerOfNo)
{
    answers.stack = nullptr;
    CustomDialog* dialog = Open(CustomDialog::BUTTONS_YES_NO);
    Frames(30);
    MenuItem& yes = *dialog->mFirstButton;
    MenuItem& no = *dialog->mNoButton;
    Click(no);
    Frame();
    Click(yes);
    Frames(30);
    Click(yes);
    Click(no);
    Frames(30);
    EXPECT_EQ(answers.log, "7:1 ");
    EXPECT_EQ(dialog->mResult, CustomDialog::RESULT_NO);
    PopGameState(&stack);
    app.FlushDeletes();
}

TEST_F(Dialogs, WithoutAListenerItNeverCloses)
{
    CustomDialog* dialog = Open(CustomDialog::BUTTONS_OK);
    dialog->SetListener(nullptr);
    Frames(30);
    Click(*dialog->mFirstButton);
    Frames(30);
    EXPECT_EQ(dialog->mResult, CustomDialog::RESULT_NONE);
    EXPECT_FALSE(dialog->IsAnimating());
    EXPECT_EQ(answers.log, "");
    PopGameState(&stack);
    app.FlushDeletes();
}

TEST_F(Dialogs, SlidesInAndOutHorizontallyOrVerticallyWithOrWithoutDimming)
{
    const struct
    {
        const char* name;
        bool dim;
        bool vertical;
        int32_t startX, startY, openX, openY, endX, endY, openAlpha;
    } cases[] = {
        {"horizontal, dimmed", true, false, 800, 200, 250, 200, 800, 200, 100},
        {"horizontal, clear", false, false, 800, 200, 250, 200, 800, 200, 0},
        {"vertical, dimmed", true, true, 250, 600, 250, 390, 250, 600, 100},
        {"vertical, clear", false, true, 250, 600, 250, 390, 250, 600, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        answers.stack = nullptr;
        answers.log.clear();
        CustomDialog* dialog = Open(CustomDialog::BUTTONS_OK, c.dim, c.vertical);
        EXPECT_EQ(dialog->mPanelX, c.startX);
        EXPECT_EQ(dialog->mPanelY, c.startY);
        EXPECT_EQ(dialog->mDimColor.mAlpha, 0);
        Frames(3);
        Frame(100);
        EXPECT_EQ(dialog->mDimColor.mAlpha, c.openAlpha / 2);
        Frames(30);
        EXPECT_EQ(dialog->mPanelX, c.openX);
        EXPECT_EQ(dialog->mPanelY, c.openY);
        EXPECT_EQ(dialog->mDimColor.mAlpha, c.openAlpha);

        Click(*dialog->mFirstButton);
        Frames(3);
        Frame(100);
        EXPECT_EQ(dialog->mDimColor.mAlpha, c.openAlpha / 2);
        Frames(30);
        EXPECT_EQ(answers.log, "7:0 ");
        EXPECT_EQ(dialog->mPanelX, c.endX);
        EXPECT_EQ(dialog->mPanelY, c.endY);
        EXPECT_EQ(dialog->mDimColor.mAlpha, 0);
        PopGameState(&stack);
        app.FlushDeletes();
    }
}

TEST_F(Dialogs, LaysItsButtonsOutOnThePanelAndKeepsThemBesideItInTheTree)
{
    CustomDialog* ok = Open(CustomDialog::BUTTONS_OK);
    EXPECT_EQ(ok->mNoButton, nullptr);
    EXPECT_TRUE(app.Manager().HasChild(ok->mFirstButton.get()));
    EXPECT_EQ(ok->mFirstButton->mLabel, "error::not found BTN_DIALOG_OK");
    EXPECT_EQ(ok->mFirstButton->mOverlayPriority, 200);
    Frames(40);
    // Panel 300 x 200 at (250, 200); buttons 100 x 40 in a row 20 above its bottom.
    EXPECT_EQ(ok->mFirstButton->GetBounds(), Quib::Rect(350, 340, 100, 40));
    PopGameState(&stack);
    EXPECT_FALSE(app.Manager().HasChild(ok->mFirstButton.get()));
    app.FlushDeletes();

    CustomDialog* question = Open(CustomDialog::BUTTONS_YES_NO);
    EXPECT_EQ(question->mFirstButton->mLabel, "YES");
    EXPECT_EQ(question->mNoButton->mLabel, "NO");
    Frames(40);
    EXPECT_EQ(question->mFirstButton->GetBounds(), Quib::Rect(290, 340, 100, 40));
    EXPECT_EQ(question->mNoButton->GetBounds(), Quib::Rect(410, 340, 100, 40));
    PopGameState(&stack);
    app.FlushDeletes();
}

TEST_F(Dialogs, DrawsTheDimmingThePanelAndItsTextTwiceWithTheButtonsOnTop)
{
    CustomDialog* dialog = Open(CustomDialog::BUTTONS_OK);
    dialog->mText = "A";
    Frames(40);
    app.DrawFrame(kWhite);
    // White dimmed by black at alpha 100.
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(10, 10), 0xFF9B9B9B);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(251, 201), kPanel);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(351, 341), kButton);
    // One glyph of 5 x 10, centred in 220 from x 290: white at (397, 238),
    // its black copy one right and one down.
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(397, 238), kWhite);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(402, 248), kBlack);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(402, 239), kBlack);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(396, 238), kPanel);
    PopGameState(&stack);
    app.FlushDeletes();
}

} // namespace
