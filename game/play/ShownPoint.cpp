#include "game/play/ShownPoint.h"

namespace
{

bool Reaches(const PlayfieldModel& model, size_t index, bool ignoreAlpha, int32_t x, int32_t y)
{
    const PlayfieldItem& item = model.Items()[index];
    if (x < 0 || y < 0 || x >= std::min(item.mWidth, item.mMask.mWidth) ||
        y >= std::min(item.mHeight, item.mMask.mHeight))
        return false;
    return (ignoreAlpha || item.mMask.mAlpha[size_t(y) * size_t(item.mMask.mWidth) + size_t(x)] >= 128) &&
           model.FindItemAt(item.mX + x, item.mY + y, ignoreAlpha) == int32_t(index);
}

} // namespace

std::optional<std::pair<int32_t, int32_t>> ShownPointOf(const PlayfieldModel& model, size_t index,
                                                        bool ignoreAlpha, int32_t margin)
{
    const PlayfieldItem& item = model.Items()[index];
    for (int32_t y = 0; y < item.mHeight; ++y)
        for (int32_t x = 0; x < item.mWidth; ++x)
        {
            bool reached = true;
            for (int32_t dy = -margin; dy <= margin && reached; ++dy)
                for (int32_t dx = -margin; dx <= margin && reached; ++dx)
                    reached = Reaches(model, index, ignoreAlpha, x + dx, y + dy);
            if (reached)
                return std::make_pair(item.mX + x, item.mY + y);
        }
    return std::nullopt;
}
