#pragma once

#include "framework/widgets/Widget.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"

#include <memory>

namespace Quib
{
class Image;
}

class MemoryGame;

// One card: its face's strip of flip cells, from the back to the face.
class MemoryBlock : public Quib::Widget, public ActionListener
{
public:
    MemoryBlock(int index, int face, MemoryGame* game);
    ~MemoryBlock() override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnActionFinished(int id) override;

    void SetFace(int face);
    // Turns up or down; a flip still running the other way is stopped first,
    // so that one field is never written by two flips.
    void StartFlip(bool up);
    // The flip cells of the face's strip; the last shows the face.
    int CellCount() const;

    int mIndex;
    int mFace = 0;
    int mCell = 0;
    int mPictureId = 0;
    Quib::Image* mPicture = nullptr;
    std::unique_ptr<ActionSequence> mFlipUp;
    std::unique_ptr<ActionSequence> mFlipDown;
    MemoryGame* mGame;
};
