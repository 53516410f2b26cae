#pragma once

#include "framework/widgets/Widget.h"

class LetterScramble;

// One letter tile of the row: its letter, lit while selected.
class LetterScrambleItem : public Quib::Widget
{
public:
    LetterScrambleItem(int index, LetterScramble* game);
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    int mIndex;
    LetterScramble* mGame;
};
