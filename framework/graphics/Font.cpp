#include "framework/graphics/Font.h"

namespace Quib
{

int Font::GetStringWidth(const std::string&)
{
    return 0;
}

int Font::GetCharWidth(char c)
{
    return GetStringWidth(std::string(1, c));
}

int Font::GetKernedCharWidth(char c, char)
{
    return GetCharWidth(c);
}

void Font::DrawString(Graphics*, int, int, const std::string&, const Color&, const Rect&) {}

} // namespace Quib
