#pragma once

#include "framework/widgets/ListListener.h"
#include "game/frontend/NameEntryOwner.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class ListWidget;
class ScrollbarWidget;
} // namespace Quib

class GameStateStack;

// Where the player picks, creates, renames or deletes a profile: a panel
// slides in from the right with the list of names and four buttons, and out
// again once Done is chosen. Opened to make the first profile, it goes
// straight to the name entry and closes itself after it.
class SelectProfile : public ScreenBase,
                      public Quib::ListListener,
                      public CustomDialogListener,
                      public ActionListener,
                      public NameEntryOwner
{
public:
    enum ButtonIndex
    {
        BUTTON_DONE = 0,
        BUTTON_CREATE = 1,
        BUTTON_RENAME = 2,
        BUTTON_DELETE = 3,
    };

    explicit SelectProfile(bool createFirst);
    ~SelectProfile() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    virtual void LayoutAt(int x, int y);

    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
    void OnListClick(int listId, int line, int clickCount) override;
    void OnDialogClosed(int32_t dialogId, int32_t result) override;
    void OnActionFinished(int id) override;

    bool IsBusy() const;
    void RefreshList() override;
    int GetProfileLineCount() const override;
    int GetSelectedLine() const override;
    // Selects the line and scrolls the list so that it shows.
    void SelectLine(int line) override;

    void OnDoneClicked();
    void OnCreateClicked();
    void OnRenameClicked();
    void OnDeleteClicked();

    std::unique_ptr<Quib::ListWidget> mList;
    std::unique_ptr<Quib::ScrollbarWidget> mScrollBar;
    std::vector<std::unique_ptr<MenuItem>> mButtons;
    int32_t mPanelX = 800;
    int32_t mPanelY = 0;
    int32_t mTitleOffsetX = 0;
    std::string mTitle;
    std::unique_ptr<ActionSequence> mSlideIn, mSlideOut;
    bool mCreateFirst;

private:
    bool HasProfile() const;
    void OpenNameEntry(int mode);
    GameStateStack* Stack() const;
};
