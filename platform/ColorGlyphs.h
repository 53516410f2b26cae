#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform
{

// A glyph picture in colour: width x height pixels, row by row from the top,
// each 0xAARRGGBB with straight alpha.
struct ColorGlyph
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// A face whose glyphs are colour bitmaps at fixed strike sizes (an emoji font).
// Glyphs come at the largest strike; callers scale them. Every call holds one
// lock around FreeType, as the faces share one library object.
class ColorGlyphFace
{
public:
    // Null when the file cannot be read or holds no colour strike.
    static std::unique_ptr<ColorGlyphFace> open(const std::string& fontFile);
    ~ColorGlyphFace();
    ColorGlyphFace(const ColorGlyphFace&) = delete;
    ColorGlyphFace& operator=(const ColorGlyphFace&) = delete;

    // The picture of one code point; empty (0 x 0) when the face has none.
    ColorGlyph render(char32_t codePoint) const;

private:
    struct Impl;
    explicit ColorGlyphFace(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> mImpl;
};

} // namespace platform
