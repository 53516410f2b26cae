#pragma once

#include <memory>

namespace Quib
{

class Font;

// The system font the standard controls fall back on when given none.
std::unique_ptr<Font> MakeControlFont(int pointSize, int charSet);

} // namespace Quib
