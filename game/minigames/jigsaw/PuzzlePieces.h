#pragma once

#include "framework/widgets/Widget.h"
#include "game/minigames/common/AlphaMask.h"
#include "game/minigames/common/PictureMask.h"

namespace Quib
{
class Image;
}

class MiniGamePuzzle;

// An invisible target place of the jigsaw.
class PuzzlePlace : public Quib::Widget
{
public:
    PuzzlePlace(int index, MiniGamePuzzle* game);
    void Draw(Quib::Graphics*) override {}
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    int mIndex;
    MiniGamePuzzle* mGame;
};

// A jigsaw piece: it takes clicks only on its visible pixels, and none once fixed.
class PuzzleBlock : public Quib::Widget
{
public:
    PuzzleBlock(int index, Quib::Image* picture, MiniGamePuzzle* game);
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    bool IsOpaqueAt(int x, int y) override;

    int mIndex;
    Quib::Image* mPicture;
    AlphaMask mMask;
    MiniGamePuzzle* mGame;
};
