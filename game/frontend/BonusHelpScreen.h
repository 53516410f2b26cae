#pragma once

#include "framework/foundation/Color.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <memory>
#include <string>

// The wallpaper gallery's help: a page of text that rises from the bottom
// over a dimmed screen, with a back button that rides along under it.
class BonusHelpScreen : public ScreenBase, public ActionListener
{
public:
    BonusHelpScreen();
    ~BonusHelpScreen() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnEntered(GameStateStack* stack) override;
    void OnActionFinished(int id) override;

    void OnBackClicked();

    std::string mTopText, mXpText, mVistaText;
    std::unique_ptr<ActionSequence> mSlideIn, mSlideOut;
    float mPanelY = 600.0f;
    std::unique_ptr<MenuItem> mBackButton;
    Quib::Color mDimColor{0, 0, 0, 0};

private:
    void FollowPanel();

    GameStateStack* mStack = nullptr;
};
