#pragma once

#include "framework/foundation/Color.h"
#include "game/play/PlayfieldModel.h"

class ItemHint;
class PieceIdleLoops;

// The colour an item of the picture is drawn with while it rests or pulses
// there, and whether its picture is modulated by it.
struct ItemTint
{
    Quib::Color mColor;
    bool mTinted = true;
};

// A place for the usable object is drawn as its picture is, white and
// untinted; every other item in the scene file's colour, with the hint
// pulse's alpha while a hint pulses it, and a piece whose idle pulse runs in
// white with the pulse's alpha. `hint` and `loops` may be null.
ItemTint RestingItemTint(const PlayfieldItem& item, const ItemHint* hint, const PieceIdleLoops* loops);
