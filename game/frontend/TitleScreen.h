#pragma once

#include "framework/widgets/Widget.h"

namespace Quib
{
class Image;
}

class SharkInterface;

// The first thing shown: the title and publisher pictures on black while the
// loading thread loads the big group, with a loading line under the first.
// Neither picture can end before loading is complete; then a left click skips
// the current one. When the second has faded out the screen leaves the widget
// tree and tells the application.
class TitleScreen : public Quib::Widget
{
public:
    enum State
    {
        STATE_FADING_IN = 0,
        STATE_HOLDING = 1,
        STATE_FADING_OUT = 2,
        STATE_FINISHED = 3,
    };

    explicit TitleScreen(SharkInterface* app);
    ~TitleScreen() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    // The loading progress as a whole percentage; 100 once loading is complete.
    int LoadingPercent() const;
    // The loading line's text for a percentage (0 to 3 dots cycling).
    static std::string LoadingLine(const std::string& label, int percent);

    SharkInterface* mApp;
    int mUpdateCount = 0;
    int mState = STATE_HOLDING;
    Quib::Image* mPicture;
    int mAlpha = 255;

private:
    void AdvancePicture();
};
