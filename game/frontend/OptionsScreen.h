#pragma once

#include "framework/foundation/Color.h"
#include "framework/widgets/CheckboxListener.h"
#include "framework/widgets/SliderListener.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/CustomSlider.h"
#include "game/shell/CustomSliderListener.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ParalelAction.h"
#include "game/shell/ScreenBase.h"

#include <memory>

namespace Quib
{
class Checkbox;
}

struct OptionsData;

// The volumes of music, sound effects and ambience on three sliders, full
// screen on a check box, and the ways to the credits and the high scores.
// Volumes apply while a thumb is dragged; the screen mode changes only when
// the screen is left with OK. The values live in the application's options
// record, which is written to its file at shutdown.
class OptionsScreen : public Quib::SliderListener,
                      public CustomSliderListener,
                      public ScreenBase,
                      public Quib::CheckboxListener,
                      public ActionListener
{
public:
    enum SliderId
    {
        SLIDER_MUSIC = 0,
        SLIDER_SOUND = 1,
        SLIDER_AMBIENT = 2,
    };
    enum Choice
    {
        CHOICE_OK = 0,
        CHOICE_CREDITS = 1,
        CHOICE_SCORES = 2,
    };
    static constexpr int kFullscreenBoxId = 2;

    // fromMainMenu: the screen dims what is behind it itself (the pause menu has dimmed it already).
    OptionsScreen(OptionsData* options, bool fromMainMenu);
    ~OptionsScreen() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    // x of the version text: 528 when the panel rests, moving with it while it slides.
    int VersionX() const;

    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;

    void OnSliderValue(int id, double value) override;
    void OnSliderReleased(int id) override;
    void OnCheckboxToggled(int id, bool checked) override;
    void OnActionFinished(int id) override;

    void OnOkClicked();
    void OnCreditsClicked();
    void OnScoresClicked();
    bool IsLoaded() const { return mLoaded; }

    std::unique_ptr<MenuItem> mOkButton, mCreditsButton, mScoresButton;
    std::unique_ptr<Quib::Checkbox> mFullscreenBox;
    std::unique_ptr<CustomSlider> mMusicSlider, mSoundSlider, mAmbientSlider;
    OptionsData* mOptions;
    std::unique_ptr<ActionSequence> mSlideIn;
    std::unique_ptr<ParalelAction> mSlideOut;
    std::unique_ptr<ActionSequence> mDimIn, mDimOut;
    int mPanelX = 800;
    Quib::Color mDimColor{0, 0, 0, 0};
    bool mFromMainMenu;
    int mChoice = CHOICE_OK;
    bool mSubScreenOpen = false;

private:
    void BuildControls();
    void BuildSlides();
    void Choose(int choice);
    void SyncControls();
    void DrawLabels(Quib::Graphics* g);
    Quib::Widget* Control(int index) const;

    bool mLoaded = false;
};
