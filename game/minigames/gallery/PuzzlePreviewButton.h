#pragma once

#include "framework/widgets/Widget.h"

#include <string>

namespace Quib
{
class Image;
}

class CustomButtonListener;

// One replayable game of the puzzle gallery: its preview, a padlock while it
// is locked, a frame while the mouse is over an open one.
class PuzzlePreviewButton : public Quib::Widget
{
public:
    PuzzlePreviewButton(int index, const std::string& name, bool enabled, CustomButtonListener* listener,
                        Quib::Image* padlock, Quib::Image* hoverFrame);
    void Draw(Quib::Graphics* g) override;
    void OnMouseEnter() override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    bool mEnabled;
    int mIndex;
    std::string mName;
    CustomButtonListener* mListener;
    Quib::Image* mHoverFrame;
    Quib::Image* mPreview = nullptr;
    Quib::Image* mPadlock;
};
