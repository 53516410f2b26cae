#pragma once

#include "framework/foundation/Color.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class Image;
}

struct PlayerProfile;

// The gallery of the 31 desktop wallpapers the scenes unlock: one page at a
// time, reduced into a frame, with arrows that page round, a button that
// makes the page the desktop's wallpaper, help, and back. Locked pages are
// shown greyed with a "locked" text.
class BonusScreen : public ScreenBase, public ActionListener, public CustomDialogListener
{
public:
    static constexpr int kPageCount = 31;
    enum ButtonIndex
    {
        BUTTON_PREVIOUS = 0,
        BUTTON_SET_WALLPAPER = 1,
        BUTTON_BACK = 2,
        BUTTON_HELP = 3,
        BUTTON_NEXT = 4,
    };

    // Without a profile nothing is unlocked.
    BonusScreen(const PlayerProfile* profile, bool gameCompleted);
    ~BonusScreen() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;

    void OnEntered(GameStateStack* stack) override;
    // The gallery slides out under the help page or a message, staying in the widget tree.
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
    void OnActionFinished(int id) override;
    void OnDialogClosed(int32_t dialogId, int32_t result) override;

    void ShowPage(int page);
    void ShowPreviousPage();
    void ShowNextPage();
    void SetWallpaper();
    void OnBackClicked();
    void OnHelpClicked();

    bool IsUnlocked(int page) const;

    int mPage = 0;
    std::vector<std::unique_ptr<MenuItem>> mButtons;
    std::vector<bool> mUnlocked;
    std::unique_ptr<Quib::Image> mPagePicture;
    Quib::Color mDimColor{0, 0, 0, 0};
    int mPageY = -450;
    std::unique_ptr<ActionSequence> mSlideIn, mSlideOut;
    std::string mLockedText;
    // False when the group could not be loaded: the program is closing and the screen has nothing to show.
    bool mLoaded = false;

private:
    void BuildButtons();
    void BuildSlides();
    bool IsSliding() const;
    void ShowMessage(const char* textKey);

    GameStateStack* mStack = nullptr;
};
