#pragma once

#include <string>

namespace Quib
{
class Font;
class Graphics;
} // namespace Quib

// The front end's titles and labels: white text over a black copy one pixel
// right and down, so that they read on any backdrop.

// Draws the text with its baseline at y, starting at x.
void DrawShadowedString(Quib::Graphics* g, Quib::Font* font, const std::string& text, int x, int y);
// Draws the text centred on x; nothing without a font.
void DrawShadowedCentred(Quib::Graphics* g, Quib::Font* font, const std::string& text, int centreX, int y);
