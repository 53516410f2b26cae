#include "game/play/hud/ItemTint.h"

#include "game/play/hud/ItemHint.h"
#include "game/play/hud/PieceIdleLoops.h"

ItemTint RestingItemTint(const PlayfieldItem& item, const ItemHint* hint, const PieceIdleLoops* loops)
{
    const SceneItemRecord& r = item.mRecord;
    if (item.mKind == SceneItemKind::Location)
        return {Quib::Color(255, 255, 255, 255), false};
    if (hint != nullptr && hint->IsPulsing())
        return {Quib::Color(r.mRed, r.mGreen, r.mBlue, hint->mPulseAlpha), true};
    if (loops != nullptr && loops->IsPulsing())
        return {Quib::Color(255, 255, 255, loops->mLoopAlpha), true};
    return {Quib::Color(r.mRed, r.mGreen, r.mBlue, r.mAlpha), true};
}
