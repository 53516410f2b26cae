#pragma once

#include "framework/widgets/Widget.h"

namespace Quib
{
class Image;
}

class MiniGameTypewriter;

// One letter key of the typewriter: up, hover and down pictures by the letter.
class TypewriterKey : public Quib::Widget
{
public:
    TypewriterKey(char letter, MiniGameTypewriter* game);
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    char mLetter;
    Quib::Image* mHoverPicture;
    Quib::Image* mUpPicture;
    Quib::Image* mDownPicture;
    MiniGameTypewriter* mGame;
};
