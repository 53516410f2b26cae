#include "framework/widgets/WidgetManager.h"
#include "tests/game/soak/SoftLockWatch.h"

namespace soak
{

std::vector<const void*> SoftLockWatch::Signature(gameharness::GameHarness& game) const
{
    std::vector<const void*> signature(game.States().begin(), game.States().end());
    signature.push_back(game.App().mWidgetManager->mBaseModalWidget);
    return signature;
}

bool SoftLockWatch::Observe(gameharness::GameHarness& game, int64_t focusedUpdates)
{
    std::vector<const void*> signature = Signature(game);
    if (signature != mSignature)
    {
        mSignature = std::move(signature);
        mUpdates = 0;
        mInputs = 0;
        return false;
    }
    mUpdates += focusedUpdates;
    if (mUpdates < kWindowUpdates)
        return false;
    const bool stuck = mInputs >= kInputs;
    mUpdates = 0;
    mInputs = 0;
    return stuck;
}

} // namespace soak
