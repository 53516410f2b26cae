// Every game opened from a pack that lacks the first picture its resource
// group loads: the game reports the group and asks the program to shut down,
// and until the shutdown takes effect it stands without its pieces through
// updates, frames, clicks over the board, Reset and a confirmed skip.
#include "game/minigames/base/MiniGameHelpScreen.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/bomb/BombMiniGame.h"
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/shell/CustomDialog.h"
#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using minigametest::MiniGameApp;
using minigametest::RecordingOwner;

namespace
{

struct GameCase
{
    std::string name;
    std::function<MiniGameWidget*()> make;
};

// Each game of the scenes' table, and the finale's bomb.
std::vector<GameCase> EveryGame()
{
    std::vector<GameCase> games;
    for (const SceneMiniGame& entry : SceneMiniGames())
        games.push_back(
            {"scene " + std::to_string(entry.mScene), [&entry] { return CreateMiniGame(entry); }});
    games.push_back({"bomb", [] { return CreateBombMiniGame(nullptr, nullptr); }});
    return games;
}

} // namespace

TEST(MissingPictureFlow, EveryGameStandsWithoutItsPiecesUntilTheShutdown)
{
    MiniGameApp app;
    RecordingOwner owner;
    for (const GameCase& game : EveryGame())
    {
        SCOPED_TRACE(game.name);
        app.mErrors.clear();
        app.mShutdownRequested = false;
        app.mNextPictureMissing = true;
        MiniGameWidget* widget = game.make();
        ASSERT_NE(widget, nullptr);
        EXPECT_FALSE(app.mNextPictureMissing); // the group did ask for a picture
        EXPECT_FALSE(widget->mLoaded);
        EXPECT_TRUE(app.mShutdownRequested);
        EXPECT_EQ(app.mErrors.size(), 1u);

        widget->SetOwnerScene(&owner);
        widget->mSkipAllowed = widget->mHelpNumber >= 0;
        PushGameState(widget, &app.mStack);
        app.Step(30);
        if (auto* help = dynamic_cast<MiniGameHelpScreen*>(app.mStack.Top()))
        {
            app.Step(30);
            help->OnMouseButtonDown(10, 10, 0, 1);
            app.Step(30);
        }
        ASSERT_EQ(app.mStack.Top(), widget);
        app.DrawFrame();
        for (int y = 60; y < 510; y += 40)
            for (int x = 120; x < 700; x += 40)
            {
                app.Click(x, y);
                app.Click(x, y, -1);
                app.Step(1);
            }
        app.Step(30);
        widget->mResetButton->mOnClick();
        app.DrawFrame();
        ASSERT_EQ(app.mStack.Top(), widget);

        // A skip after 40 s, confirmed: each game finishes its own way.
        app.Step(1, 40'000);
        widget->OnSkipClicked();
        if (widget->mSkipAllowed)
        {
            ASSERT_NE(dynamic_cast<CustomDialog*>(app.mStack.Top()), nullptr);
            widget->OnDialogClosed(MiniGameWidget::DIALOG_ID_MINI_GAME_SKIP, 0);
            EXPECT_TRUE(widget->mFinishing);
        }
        app.Step(400);
        app.DrawFrame();
        ClearGameStates(&app.mStack);
        app.FlushDeletes();
    }
}
