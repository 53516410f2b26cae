#include "framework/widgets/ControlFont.h"

#include "framework/graphics/SysFont.h"

namespace Quib
{

std::unique_ptr<Font> MakeControlFont(int pointSize, int charSet)
{
    return std::make_unique<SysFont>("Arial Unicode MS", nullptr, pointSize, charSet);
}

} // namespace Quib
