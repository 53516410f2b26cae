#pragma once

#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/ScreenBase.h"

#include <memory>
#include <string>

class MiniGameWidget;

// The panel that explains a game: it slides up, waits for a click anywhere,
// slides down and pops itself.
class MiniGameHelpScreen : public ScreenBase, public ActionListener
{
public:
    explicit MiniGameHelpScreen(MiniGameWidget* game);
    ~MiniGameHelpScreen() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnEntered(GameStateStack* stack) override;
    void OnActionFinished(int id) override;

    MiniGameWidget* mGame;
    std::string mHelpText;
    std::string mHintText;
    int mHintHalfWidth = 0;
    int mPanelX = 0;
    int mPanelY = 320;
    std::unique_ptr<ActionSequence> mSlideIn;
    std::unique_ptr<ActionSequence> mSlideOut;
    GameStateStack* mStack = nullptr;
};
