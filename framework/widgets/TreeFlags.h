#pragma once

namespace Quib
{

// Bits of a tree walk's flag word: what happens to each widget the walk reaches.
enum TreeFlag : int
{
    TREE_UPDATE = 1,
    TREE_REDRAW = 2,
    TREE_DRAW = 4,
    TREE_CLIP = 8,
    TREE_MOUSE = 16,
    TREE_FOCUS = 32,
};

struct FlagMasks
{
    int mAdd = 0;
    int mRemove = 0;

    int Apply(int word) const { return (word | mAdd) & ~mRemove; }
};

// The two words of a walk: widgets behind the base-modal widget use the behind
// word until the walk has reached it, and the in-front word from then on.
struct TreeFlagState
{
    int mInFront = 0;
    int mBehind = 0;
    bool mReached = true;

    int Current() const { return mReached ? mInFront : mBehind; }
};

// Mouse click codes as the manager hands them to widgets.
enum ClickCode : int
{
    CLICK_LEFT = 1,
    CLICK_LEFT_DOUBLE = 2,
    CLICK_RIGHT = -1,
    CLICK_RIGHT_DOUBLE = -2,
    CLICK_MIDDLE = 3,
};

} // namespace Quib
