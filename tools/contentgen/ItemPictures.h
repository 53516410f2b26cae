#pragma once

#include "tools/contentgen/Canvas.h"

#include <cstdint>
#include <string>

namespace contentgen
{

class PaintContext;

// The pictures of a scene's items, shared by the painter of the pack and the
// author of the scene files, who measures how much of each object shows.

// An emoji in a size x size picture, turned by `turn` degrees and shrunk just
// enough that its corners stay inside.
Canvas emojiPicture(PaintContext& context, char32_t codePoint, int size, float turn = 0);

// Piece k of n: a wedge of the whole picture around its centre, with a ragged edge.
Canvas cutPiece(const Canvas& whole, int k, int n, uint32_t seed);

// The hidden hint: a gold coin with a question mark that flares up and fades
// over the frames of its strip, each size x size.
Canvas hintStrip(int size);

// The picture an item's "art" names, except the room's own layers:
//   "emoji CODEPOINT SIZE [TURN]", "piece CODEPOINT SIZE K N", "hint SIZE".
// `pieceSeed` ragged-edges a piece. Empty, with a message in `error`, when
// the art names nothing that can be drawn.
Canvas artPicture(PaintContext& context, const std::string& art, uint32_t pieceSeed, std::string& error);

// The code point an "emoji" or "piece" art draws; 0 for any other.
char32_t artCodePoint(const std::string& art);

} // namespace contentgen
