#pragma once

#include "framework/foundation/Color.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <cstdint>
#include <memory>
#include <string>

class CustomDialogListener;

// The game's message and question box: a picture panel with a wrapped text
// and an OK button or YES and NO buttons, optionally over a dimmed screen. It
// slides in, takes one answer, slides out and only then tells its listener,
// which pops it from the game-state stack. Clicks are refused while it
// slides and once it has its answer.
class CustomDialog : public ScreenBase, public ActionListener
{
public:
    enum ButtonMode : int32_t
    {
        BUTTONS_OK = 0,
        BUTTONS_YES_NO = 1,
    };
    enum Result : int32_t
    {
        RESULT_NONE = -1,
        RESULT_YES = 0,
        RESULT_NO = 1,
    };

    // Builds the dialog and starts its slide in at once; the caller sizes it
    // to the screen, sets the listener and pushes it.
    CustomDialog(const std::string& text, int32_t dialogId, int32_t buttonMode, bool dim, bool vertical);
    ~CustomDialog() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnActionFinished(int id) override;

    void SetListener(CustomDialogListener* listener) { mDialogListener = listener; }
    bool IsAnimating() const;
    void OnYesClicked();
    void OnNoClicked();

    std::unique_ptr<MenuItem> mFirstButton;
    std::unique_ptr<MenuItem> mNoButton;
    int32_t mPanelX = 0;
    int32_t mPanelY = 0;
    int32_t mButtonMode;
    CustomDialogListener* mDialogListener = nullptr;
    int32_t mDialogId;
    std::string mText;
    int32_t mResult = RESULT_NONE;
    // Black; its alpha is animated and kept within 0..100.
    Quib::Color mDimColor{0, 0, 0, 0};
    bool mDim;
    // The panel rises from the bottom instead of sliding in from the right.
    bool mVertical;
    std::unique_ptr<ActionSequence> mOpening;
    std::unique_ptr<ActionSequence> mClosing;

private:
    std::unique_ptr<MenuItem> MakeButton(const char* labelKey, void (CustomDialog::*onClick)());
    void BuildSlides();
    void Answer(int32_t result);
    void LayoutButtons(int32_t x, int32_t y);
};
