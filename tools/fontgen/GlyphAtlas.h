#pragma once

#include "platform/FontFace.h"

#include <cstdint>
#include <vector>

namespace fontgen
{

struct PlacedGlyph
{
    unsigned char code = 0;                  // Windows-1252 byte
    int x = 0, y = 0, width = 0, height = 0; // where the glyph's picture lies in the atlas
    int offsetX = 0;                         // pen to the picture's left edge
    int offsetY = 0;                         // text cell top to the picture's top edge
    int advance = 0;
};

struct Atlas
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0xAARRGGBB, white with coverage as alpha
    std::vector<PlacedGlyph> glyphs;
};

// The byte codes worth a glyph: printable ASCII and the Windows-1252 letters
// and signs above it, each only when the face has a picture or an advance for it.
std::vector<unsigned char> printableCodes();

// Packs every glyph's picture in rows of at most maxWidth pixels, one pixel apart.
Atlas packGlyphs(const platform::FontFace& face, const std::vector<unsigned char>& codes, int maxWidth);

// Lays the glyphs side by side from x = 0, each in a cell as wide as its
// advance and as tall as the text cell, ink outside the cell cut off.
Atlas stripGlyphs(const platform::FontFace& face, const std::vector<unsigned char>& codes);

} // namespace fontgen
