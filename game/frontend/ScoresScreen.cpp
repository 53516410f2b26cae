#include "game/frontend/ScoresScreen.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/CreditsScreen.h"
#include "game/frontend/MainMenuReturn.h"
#include "game/frontend/ShadowedText.h"
#include "game/frontend/WoodenButton.h"
#include "game/records/HighScoreList.h"
#include "game/records/TimeValue.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

namespace
{

constexpr int kPanelY = 42;

std::unique_ptr<MenuItem> MakeScoresButton(const char* labelKey, int y)
{
    return MakeWoodenButton(labelKey, 800, y, 38);
}

std::string FormatTime(const HighScoreEntry& entry)
{
    return TimeValue(entry.mHours, entry.mMinutes, entry.mSeconds, entry.mMilliseconds).Format();
}

} // namespace

ScoresScreen::ScoresScreen(bool endOfGame)
    : mScores(&SharkInterface::GetInstance()->mProfiles->GetHighScores()), mRowCount(mScores->GetCount()),
      mEndOfGame(endOfGame)
{
    using namespace steps;
    mCloseButton = MakeScoresButton("LBL_CLOSE", 416);
    mResetButton = MakeScoresButton("LBL_RESET", 478);
    mCloseButton->mOnClick = [this] { OnCloseClicked(); };
    mResetButton->mOnClick = [this] { OnResetClicked(); };

    const int panelRest = 400 - IMAGE_GUI_DIALOG->GetWidth() / 2;
    const int buttonRest = 400 - IMAGE_BUTTON_MAIN_MENU->GetWidth() / 2;
    mSlideIn = InOrder(Together(Set(&mPanelX, 800), Set(&mCloseButton->mX, 800), Set(&mResetButton->mX, 800)),
                       Together(Tween(&mPanelX, panelRest - 800, 200),
                                Tween(&mCloseButton->mX, buttonRest - 800, 200),
                                Tween(&mResetButton->mX, buttonRest - 800, 200)));
    mSlideOut = InOrder(Together(Set(&mPanelX, panelRest), Set(&mCloseButton->mX, buttonRest),
                                 Set(&mResetButton->mX, buttonRest)),
                        Together(Tween(&mPanelX, 800 - panelRest, 200),
                                 Tween(&mCloseButton->mX, 800 - buttonRest, 200),
                                 Tween(&mResetButton->mX, 800 - buttonRest, 200)));
}

ScoresScreen::~ScoresScreen() = default;

void ScoresScreen::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    manager->AddChild(mCloseButton.get());
    manager->AddChild(mResetButton.get());
    mSlideIn->Start(this, 0);
}

void ScoresScreen::OnDetached(Quib::WidgetManager* manager)
{
    manager->RemoveChild(mCloseButton.get());
    manager->RemoveChild(mResetButton.get());
    ScreenBase::OnDetached(manager);
}

void ScoresScreen::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
    if (mEndOfGame)
        RecordFinishedGame();
}

void ScoresScreen::OnCovered(GameStateStack*) {}

void ScoresScreen::OnUncovered(GameStateStack*) {}

void ScoresScreen::OnCloseClicked()
{
    if (mSlideIn->IsRunning() || mSlideOut->IsRunning())
        return;
    mSlideOut->Start(this, 1);
}

void ScoresScreen::OnResetClicked()
{
    // A question still open when the slide-out ends would be popped in place of this screen.
    if (mSlideOut->IsRunning())
        return;
    PushDialog(StringTable::GetInstance().Lookup("LBL_QUESTION_RESET_SCORES"), DIALOG_RESET,
               CustomDialog::BUTTONS_YES_NO);
}

void ScoresScreen::PushDialog(const std::string& text, int32_t dialogId, int32_t buttons)
{
    auto* dialog = new CustomDialog(text, dialogId, buttons, true, false);
    dialog->Resize(0, 0, 800, 600);
    dialog->SetListener(this);
    PushGameState(dialog, mStack);
}

void ScoresScreen::CheckQualification()
{
    const PlayerProfile* profile = SharkInterface::GetInstance()->GetCurrentProfile();
    if (profile == nullptr)
        return;
    const TimeValue& time = profile->mPlayTime;
    mNewEntry = std::make_unique<HighScoreEntry>(
        HighScoreEntry{profile->mName, time.mHours, time.mMinutes, time.mSeconds, time.mMilliseconds});
    const bool qualifies = mScores->FindRank(*mNewEntry) != -1;
    const std::string message =
        StringTable::GetInstance().Lookup(qualifies ? "LBL_TIME_QUALIFIES" : "LBL_TIME_QUALIFIES_NOT") +
        "\n" + time.Format();
    PushDialog(message, qualifies ? DIALOG_QUALIFIES : DIALOG_QUALIFIES_NOT, CustomDialog::BUTTONS_OK);
}

void ScoresScreen::OnActionFinished(int id)
{
    if (id == 0 && mEndOfGame)
        CheckQualification();
    else if (id == 1)
    {
        PopGameState(mStack);
        if (mEndOfGame)
            FinishGame();
    }
}

void ScoresScreen::RecordFinishedGame()
{
    // Written as soon as the scores show: a program ended on this screen must
    // start a new game next time, not come back to a last level whose finale
    // has been played and that has no way on.
    SharkInterface* app = SharkInterface::GetInstance();
    if (PlayerProfile* profile = app->GetCurrentProfile())
        profile->Reset(app->GetLevelPreparationSource());
    if (app->mOptions)
    {
        app->mOptions->mGameCompleted = true;
        app->mOptions->Save();
    }
    app->SaveProfiles();
}

void ScoresScreen::FinishGame()
{
    SharkInterface* app = SharkInterface::GetInstance();
    // The table is written now, not only at the next close.
    app->SaveProfiles();
    PopToMainMenu(mStack);
    auto* credits = new CreditsScreen(true);
    credits->Resize(0, 0, 800, 600);
    PushGameState(credits, mStack);
}

void ScoresScreen::OnDialogClosed(int32_t dialogId, int32_t result)
{
    PopGameState(mStack);
    if (dialogId == DIALOG_RESET && result == CustomDialog::RESULT_YES)
        mScores->Reset();
    else if (dialogId == DIALOG_QUALIFIES && mNewEntry)
    {
        mScores->Insert(*mNewEntry);
        // Kept at once: the entry is the reward of a whole game.
        SharkInterface::GetInstance()->SaveProfiles();
    }
    else if (dialogId == DIALOG_QUALIFIES_NOT)
        mNewEntry.reset();
    else
        return;
    mRowCount = mScores->GetCount();
}

void ScoresScreen::UpdateFraction(float fraction)
{
    ScreenBase::UpdateFraction(fraction);
    mSlideIn->Update();
    mSlideOut->Update();
}

void ScoresScreen::Draw(Quib::Graphics* g)
{
    g->DrawImage(IMAGE_GUI_DIALOG, mPanelX, kPanelY);
    const std::string title = StringTable::GetInstance().Lookup("LBL_HIGHSCORES");
    DrawShadowedCentred(g, FONT_BUTTON_LABELS, title, mPanelX + IMAGE_GUI_DIALOG->GetWidth() / 2, 123);
    if (FONT_BUTTON_LABELS == nullptr)
        return;
    g->SetFont(FONT_BUTTON_LABELS);
    for (int i = 0; i < mRowCount; ++i)
    {
        const HighScoreEntry* entry = mScores->GetAt(i);
        if (entry == nullptr)
            continue;
        const int y = mTableY + 135 + 24 * i;
        const std::string time = FormatTime(*entry);
        for (const bool shadow : {true, false})
        {
            const int dx = shadow ? 1 : 0;
            g->SetColor(shadow ? Quib::Color(0, 0, 0, 255) : Quib::Color(255, 255, 255, 255));
            g->DrawStringWithColorCodes(entry->mName, mPanelX + 74 + dx, y - 1 + dx, 0, -1);
            g->DrawStringWithColorCodes(time, mPanelX + 300 + dx, y - 1 + dx, 0, -1);
        }
    }
}
