#pragma once

#include "game/frontend/CreditLine.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/LoopAction.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <memory>
#include <vector>

// The credits: a column of centred headings and names that scrolls up for
// ever, with a close button that slides up from the bottom. Opened from the
// options it lets the screen below show through; at the end of the game it
// stands on the main menu's backdrop, and closing it reveals the menu.
class CreditsScreen : public ScreenBase, public ActionListener
{
public:
    static constexpr int kLineCount = 37;

    explicit CreditsScreen(bool endOfGame);
    ~CreditsScreen() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnEntered(GameStateStack* stack) override;
    void OnActionFinished(int id) override;

    void OnCloseClicked();

    std::unique_ptr<MenuItem> mCloseButton;
    std::vector<CreditLine> mLines;
    std::unique_ptr<LoopAction> mScrollLoop;
    float mScrollY = 610.0f;
    std::unique_ptr<ActionSequence> mButtonIn, mButtonOut;
    bool mEndOfGame;
    // False when the group could not be loaded: the program is closing and the screen has nothing to show.
    bool mLoaded = false;

private:
    void BuildLines();

    GameStateStack* mStack = nullptr;
};
