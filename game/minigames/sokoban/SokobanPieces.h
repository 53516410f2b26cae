#pragma once

#include "framework/widgets/Widget.h"

#include <array>
#include <memory>

namespace Quib
{
class Image;
}

class MiniGameSokoban;

// One 60 x 60 cell of the box-pushing board: its floor picture, target mark and walls.
class SokobanBlock : public Quib::Widget
{
public:
    SokobanBlock(int index, MiniGameSokoban* game);
    ~SokobanBlock() override;
    void Draw(Quib::Graphics* g) override;

    int mIndex;
    std::unique_ptr<Quib::Image> mPicture;
    MiniGameSokoban* mGame;
};

class SokobanBox;

// One of the four push arrows drawn on a box; it pushes the box away from its side.
class SokobanArrow : public Quib::Widget
{
public:
    SokobanArrow(int kind, SokobanBox* box);
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    int mKind;
    SokobanBox* mBox;
    bool mDimmed = false;
};

// A barrel on the board with its four arrows; the board model holds where it stands.
class SokobanBox : public Quib::Widget
{
public:
    SokobanBox(int index, MiniGameSokoban* game);
    ~SokobanBox() override;
    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void Draw(Quib::Graphics* g) override;
    void Move(int x, int y) override;
    void UpdateArrows();

    int mIndex;
    MiniGameSokoban* mGame;
    std::array<std::unique_ptr<SokobanArrow>, 4> mArrows;
};
