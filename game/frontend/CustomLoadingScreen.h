#pragma once

#include "framework/foundation/Color.h"
#include "framework/widgets/Widget.h"
#include "game/shell/ActionDelay.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"

#include <memory>
#include <string>

class ScreenBase;

// The bridge from the main menu to the level map: a plain widget over the
// black menu that fades in a backdrop, shows the loading line while the map
// is built, fades back to black, pushes the map and takes itself away. It
// takes no input and cannot be cancelled.
class CustomLoadingScreen : public Quib::Widget, public ActionListener
{
public:
    enum Step
    {
        STEP_BLACK_AGAIN = 0,
        STEP_FADED_IN = 1,
        STEP_BUILD_MAP = 2,
        STEP_FADE_OUT = 3,
    };

    CustomLoadingScreen();
    ~CustomLoadingScreen() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnActionFinished(int id) override;

    std::unique_ptr<ActionSequence> mFadeOut, mFadeIn;
    std::unique_ptr<ActionDelay> mPause;
    Quib::Color mFadeColor{0, 0, 0, 255};
    bool mShowText = false;
    ScreenBase* mMapScreen = nullptr;
    std::string mText;

private:
    void HandOver();
};
