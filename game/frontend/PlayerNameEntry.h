#pragma once

#include "framework/widgets/CheckboxListener.h"
#include "framework/widgets/EditListener.h"
#include "game/frontend/NameEntryOwner.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Quib
{
class Checkbox;
}

class CustomEditWidget;
class GameStateStack;

// Asks for a player name: for a new profile, with the choice of timed or
// relaxed play, or as the new name of the profile selected on the screen
// that opened it (its owner). OK (or Return) creates or renames, the panel
// slides out, the profiles are saved and the screen closes.
class PlayerNameEntry : public ScreenBase,
                        public Quib::EditListener,
                        public Quib::CheckboxListener,
                        public ActionListener,
                        public CustomDialogListener
{
public:
    enum Mode
    {
        MODE_CREATE = 0,
        MODE_RENAME = 1,
    };
    enum CheckboxId
    {
        CHECKBOX_TIMED = 0,
        CHECKBOX_RELAXED = 1,
    };
    static constexpr int kMaxNameLength = 10;

    PlayerNameEntry(int mode, NameEntryOwner* owner);
    ~PlayerNameEntry() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;

    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;

    void OnEditReturn(int id, const std::string& text) override;
    bool AcceptsKey(int id, int keyCode) override;
    bool AcceptsChar(int id, char character) override;
    void OnCheckboxToggled(int id, bool checked) override;
    void OnActionFinished(int id) override;
    void OnDialogClosed(int32_t dialogId, int32_t result) override;

    void OnOk();
    void StartClosing();
    // True while the panel slides in or out: OK then does nothing, so a
    // second Return during the slide-out cannot create or rename twice.
    bool IsBusy() const;

    NameEntryOwner* mOwner;
    std::unique_ptr<MenuItem> mOkButton;
    std::unique_ptr<CustomEditWidget> mNameEdit;
    int32_t mTitleOffsetX = 0;
    std::string mTitle;
    int32_t mMode = MODE_CREATE;
    std::unique_ptr<Quib::Checkbox> mTimedBox, mRelaxedBox;
    std::string mTimedLabel, mRelaxedLabel, mMaxCharsLabel;
    std::unique_ptr<ActionSequence> mSlideIn, mSlideOut;
    int32_t mPanelX = 800;
    int32_t mPanelY = 0;

private:
    void Layout();
    void CreateProfile(const std::string& name);
    void RenameProfile(const std::string& name);
    void DrawCheckboxLabel(Quib::Graphics* g, const Quib::Checkbox& box, const std::string& label);

    bool mLoaded = false;
};

// False for the characters a player name never holds: quotes, punctuation
// used in paths and markup, and brackets.
bool IsPlayerNameCharacter(char character);
