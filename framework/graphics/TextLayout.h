#pragma once

#include "framework/foundation/Rect.h"

#include <cstdint>
#include <string>

namespace Quib
{

class Graphics;

// The text layout of the drawing context, on its current font: one line with
// inline colour codes ('^RRGGBB^', '^oldclr^', '^^') and justification, and word
// wrapping into the width of a rectangle. Justification 0 centres, 1 aligns
// right, anything else leaves the text at x. An old colour of -1 stands for
// the context's colour at the call. Without a font nothing is drawn and every
// measure is 0.

// Draws (or with draw false only measures) length characters from index
// (length -1: to the end) with the baseline at y; returns the width.
int DrawStringWithColorCodes(Graphics* g, const std::string& text, int x, int y, int justifyWidth,
                             int justification, bool draw = true, int index = 0, int length = -1,
                             int32_t oldColor = -1);

// One line of wrapped text; -1 when nothing of the text remains from startIndex.
int DrawWrappedLine(Graphics* g, int startIndex, int count, const std::string& text, int x, int y, int width,
                    int justification, int32_t oldColor);

// Word-wraps into rect's width, rect.x and rect.y giving the left and top of the
// first line; a line spacing of -1 takes the font's. Returns the height from
// rect.y to the bottom of the last line.
int DrawStringWrapped(Graphics* g, const std::string& text, const Rect& rect, int lineSpacing = -1,
                      int justification = -1);
// The same with the first baseline at y and the font's line spacing.
int DrawStringWrapped(Graphics* g, const std::string& text, int x, int y, int width, int justification = -1);

// The height DrawStringWrapped would return for a rectangle of that width, drawing nothing.
int MeasureWrappedHeight(Graphics* g, int width, const std::string& text, int lineSpacing = -1);

} // namespace Quib
