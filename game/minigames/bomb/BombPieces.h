#pragma once

#include "framework/widgets/Widget.h"
#include "game/shell/ScreenBase.h"

#include <string>

namespace Quib
{
class Image;
}

class BombMiniGame;

// One of the four wires. The pointer finds it only over its own visible
// pixels, or anywhere in its rectangle while the pliers are in hand.
class BombWire : public Quib::Widget
{
public:
    BombWire(int index, Quib::Image* picture, Quib::Image* hoverPicture, Quib::Image* cutPicture,
             BombMiniGame* game);
    void OnAttached(Quib::WidgetManager*) override {}
    void OnDetached(Quib::WidgetManager*) override {}
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    // Over a visible pixel of the wire's own picture (outside it is a miss),
    // or anywhere in its rectangle with the pliers in hand.
    bool IsOpaqueAt(int x, int y) override;

    int mIndex;
    Quib::Image* mPicture;
    Quib::Image* mHoverPicture;
    Quib::Image* mCutPicture;
    bool mPixelHover = false;
    BombMiniGame* mGame;
};

// The pliers (kind 0) or the screwdriver (kind 1) in the tool tray.
class BombTool : public Quib::Widget
{
public:
    BombTool(int kind, BombMiniGame* game);
    void UpdateFraction(float) override {}
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    int mKind;
    BombMiniGame* mGame;
};

// The screw the screwdriver undoes.
class BombScrewdriverPlace : public Quib::Widget
{
public:
    explicit BombScrewdriverPlace(BombMiniGame* game);
    void UpdateFraction(float) override {}
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    BombMiniGame* mGame;
};

// The wiring scheme: a thumbnail that opens over the whole screen and stops
// the countdown while it is open. A widget of the manager, never pushed.
class BombShemeScreen : public ScreenBase
{
public:
    explicit BombShemeScreen(BombMiniGame* game);
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    std::string mCloseText;
    BombMiniGame* mGame;
};
