#pragma once

#include "platform/FontMatcher.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace platform
{

struct FontMetrics
{
    int ascent = 0;  // top of the text cell to the baseline
    int descent = 0; // baseline to the bottom of the cell
    int height = 0;  // ascent + descent
};

// An 8-bit coverage picture that text is rendered into; 0 is empty, 255 covered.
struct CoverageMask
{
    CoverageMask() = default;
    CoverageMask(int w, int h) : width(w), height(h), pixels(size_t(w > 0 ? w : 0) * size_t(h > 0 ? h : 0)) {}
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// One glyph rendered on its own, placed relative to the pen on the baseline.
struct GlyphBitmap
{
    int left = 0; // pen to the bitmap's left edge
    int top = 0;  // baseline up to the bitmap's top row
    int advance = 0;
    CoverageMask mask;
};

// A scalable face at one pixel size, rendered with grayscale antialiasing.
// Text comes in the framework's single-byte strings (Windows-1252) and is
// mapped to Unicode here. Every call holds one process-wide lock around
// FreeType, because fonts are made on the loading thread while the main
// thread draws.
class FontFace
{
public:
    // emPixels is the character height (the em square), not the cell height.
    // Null when the file cannot be read as a font or the size is not positive.
    static std::unique_ptr<FontFace> open(const FontFile& file, int emPixels, bool bold = false,
                                          bool italic = false, bool underline = false);
    // The face matched for a family name (see matchFont), styled as asked.
    static std::unique_ptr<FontFace> openFamily(std::string_view family, int emPixels, bool bold, bool italic,
                                                bool underline);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FontMetrics& metrics() const { return mMetrics; }
    int emPixels() const { return mEmPixels; }

    int advance(char32_t codePoint) const;
    // Pixel adjustment between two characters from the face's kerning table.
    int kerning(char32_t left, char32_t right) const;
    // Sum of the advances of a Windows-1252 string; characters below 32 take no room.
    int measure(std::string_view text) const;
    // Renders a Windows-1252 string with the text cell's top-left corner at (x, y),
    // keeping the larger coverage where glyphs overlap; clipped to the mask.
    void render(std::string_view text, int x, int y, CoverageMask& mask) const;
    GlyphBitmap renderGlyph(char32_t codePoint) const;

private:
    struct Impl;
    explicit FontFace(std::unique_ptr<Impl> impl);

    std::unique_ptr<Impl> mImpl;
    FontMetrics mMetrics;
    int mEmPixels = 0;
};

} // namespace platform
