#include "framework/app/LoadingState.h"

#include <algorithm>

namespace Quib
{

double LoadingState::GetLoadingProgress() const
{
    if (mHandled)
        return 1.0;
    const int total = mTotal;
    if (!mStarted || total <= 0)
        return 0.0;
    return std::min(1.0, static_cast<double>(mDone) / total);
}

} // namespace Quib
