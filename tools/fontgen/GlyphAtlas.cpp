#include "tools/fontgen/GlyphAtlas.h"

#include "platform/TextEncoding.h"

#include <algorithm>

namespace fontgen
{
namespace
{

constexpr uint32_t kTransparentWhite = 0x00FFFFFF;

void blitCoverage(Atlas& atlas, const platform::CoverageMask& mask, int dx, int dy, int clipX, int clipW)
{
    for (int row = 0; row < mask.height; ++row)
    {
        const int y = dy + row;
        if (y < 0 || y >= atlas.height)
            continue;
        for (int col = 0; col < mask.width; ++col)
        {
            const int x = dx + col;
            if (x < clipX || x >= clipX + clipW || x >= atlas.width)
                continue;
            const uint32_t coverage = mask.pixels[size_t(row) * size_t(mask.width) + size_t(col)];
            if (coverage != 0)
                atlas.pixels[size_t(y) * size_t(atlas.width) + size_t(x)] = coverage << 24 | 0xFFFFFF;
        }
    }
}

} // namespace

std::vector<unsigned char> printableCodes()
{
    std::vector<unsigned char> codes;
    for (int c = 32; c < 256; ++c)
    {
        if (c == 127 || c == 0xA0 || c == 0xAD)
            continue;
        char32_t codePoint = platform::windows1252ToCodePoint(static_cast<unsigned char>(c));
        if (codePoint >= 0x80 && codePoint < 0xA0)
            continue; // the five bytes Windows-1252 leaves unassigned
        codes.push_back(static_cast<unsigned char>(c));
    }
    return codes;
}

Atlas packGlyphs(const platform::FontFace& face, const std::vector<unsigned char>& codes, int maxWidth)
{
    Atlas atlas;
    std::vector<platform::GlyphBitmap> bitmaps;
    int penX = 1;
    int penY = 1;
    int rowHeight = 0;
    const int ascent = face.metrics().ascent;
    for (unsigned char code : codes)
    {
        platform::GlyphBitmap bitmap = face.renderGlyph(platform::windows1252ToCodePoint(code));
        PlacedGlyph glyph;
        glyph.code = code;
        glyph.advance = bitmap.advance;
        glyph.offsetX = bitmap.left;
        glyph.offsetY = ascent - bitmap.top;
        glyph.width = bitmap.mask.width;
        glyph.height = bitmap.mask.height;
        if (glyph.width > 0 && glyph.height > 0)
        {
            if (penX + glyph.width + 1 > maxWidth && penX > 1)
            {
                penX = 1;
                penY += rowHeight + 1;
                rowHeight = 0;
            }
            glyph.x = penX;
            glyph.y = penY;
            penX += glyph.width + 1;
            rowHeight = std::max(rowHeight, glyph.height);
            atlas.width = std::max(atlas.width, penX);
        }
        atlas.glyphs.push_back(glyph);
        bitmaps.push_back(std::move(bitmap));
    }
    atlas.height = penY + rowHeight + 1;
    atlas.width = std::max(atlas.width, 1);
    atlas.pixels.assign(size_t(atlas.width) * size_t(atlas.height), kTransparentWhite);
    for (size_t i = 0; i < atlas.glyphs.size(); ++i)
    {
        const PlacedGlyph& glyph = atlas.glyphs[i];
        blitCoverage(atlas, bitmaps[i].mask, glyph.x, glyph.y, 0, atlas.width);
    }
    return atlas;
}

Atlas stripGlyphs(const platform::FontFace& face, const std::vector<unsigned char>& codes)
{
    Atlas atlas;
    atlas.height = face.metrics().height;
    std::vector<platform::GlyphBitmap> bitmaps;
    int x = 0;
    for (unsigned char code : codes)
    {
        platform::GlyphBitmap bitmap = face.renderGlyph(platform::windows1252ToCodePoint(code));
        PlacedGlyph glyph;
        glyph.code = code;
        glyph.advance = bitmap.advance;
        glyph.x = x;
        glyph.width = bitmap.advance;
        glyph.height = atlas.height;
        x += glyph.width;
        atlas.glyphs.push_back(glyph);
        bitmaps.push_back(std::move(bitmap));
    }
    atlas.width = std::max(x, 1);
    atlas.pixels.assign(size_t(atlas.width) * size_t(atlas.height), kTransparentWhite);
    const int ascent = face.metrics().ascent;
    for (size_t i = 0; i < atlas.glyphs.size(); ++i)
    {
        const PlacedGlyph& glyph = atlas.glyphs[i];
        blitCoverage(atlas, bitmaps[i].mask, glyph.x + bitmaps[i].left, ascent - bitmaps[i].top, glyph.x,
                     glyph.width);
    }
    return atlas;
}

} // namespace fontgen
