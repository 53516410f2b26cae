#pragma once

#include "game/minigames/gallery/PuzzlePreviewButton.h"
#include "game/shell/CustomButtonListener.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <memory>
#include <string>
#include <vector>

struct PlayerProfile;

// The puzzle gallery: the mini-games of scenes 1 to 30 to replay, open where
// the profile solved them or once the game has been completed on this machine.
// A game played here has no owning scene and no Skip, so it records nothing.
class PuzzleScreen : public ScreenBase, public CustomButtonListener
{
public:
    // Without a profile the gallery shows no games.
    PuzzleScreen(const PlayerProfile* profile, bool gameCompleted);
    ~PuzzleScreen() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void Draw(Quib::Graphics* g) override;
    void OnEntered(GameStateStack* stack) override;
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
    void OnButtonClicked(int32_t buttonId) override;
    void OnCloseClicked();

    std::vector<std::unique_ptr<PuzzlePreviewButton>> mButtons;
    std::unique_ptr<MenuItem> mCloseButton;
    std::string mTitle;
    bool mLoaded = false;
    // While a game lies over the gallery its title is not drawn: it would
    // show through above the game's board.
    bool mCovered = false;

private:
    void SetWidgetsVisible(bool visible);
    GameStateStack* mStack = nullptr;
};
