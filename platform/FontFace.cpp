#include "platform/FontFace.h"

#include "platform/TextEncoding.h"

#include <algorithm>
#include <cmath>
#include <ft2build.h>
#include <mutex>
#include <sys/stat.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

namespace platform
{
namespace
{

// FreeType's library object is not thread-safe, and faces share it.
std::mutex gFreeTypeLock;

FT_Library library()
{
    static FT_Library lib = []
    {
        FT_Library created = nullptr;
        if (FT_Init_FreeType(&created) != 0)
            return static_cast<FT_Library>(nullptr);
        return created;
    }();
    return lib;
}

int ceilScaled(long units, int emPixels, int unitsPerEm)
{
    return int(std::ceil(double(units) * emPixels / unitsPerEm));
}

} // namespace

struct FontFace::Impl
{
    FT_Face face = nullptr;
    bool emboldenSynthetically = false;
    bool obliqueSynthetically = false;
    bool underline = false;
    int underlineOffset = 0; // below the baseline
    int underlineThickness = 1;

    ~Impl()
    {
        if (face)
            FT_Done_Face(face);
    }

    // Loads and renders one glyph into the face's slot; false when the face has no usable glyph.
    bool load(char32_t codePoint) const
    {
        FT_UInt index = FT_Get_Char_Index(face, FT_ULong(codePoint));
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0)
            return false;
        if (obliqueSynthetically)
            FT_GlyphSlot_Oblique(face->glyph);
        if (emboldenSynthetically)
            FT_GlyphSlot_Embolden(face->glyph);
        return FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0;
    }

    int advanceLocked(char32_t codePoint) const
    {
        if (codePoint < 32)
            return 0;
        FT_UInt index = FT_Get_Char_Index(face, FT_ULong(codePoint));
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0)
            return 0;
        if (emboldenSynthetically)
            FT_GlyphSlot_Embolden(face->glyph);
        return int((face->glyph->advance.x + 32) >> 6);
    }
};

FontFace::FontFace(std::unique_ptr<Impl> impl) : mImpl(std::move(impl)) {}

FontFace::~FontFace()
{
    std::lock_guard<std::mutex> lock(gFreeTypeLock);
    mImpl.reset();
}

std::unique_ptr<FontFace> FontFace::open(const FontFile& file, int emPixels, bool bold, bool italic,
                                         bool underline)
{
    if (emPixels <= 0 || emPixels > 4096)
        return nullptr;
    // A pipe or device where a font file should be would block the reader
    // (with the font lock held) or feed it without end.
    struct stat st
    {
    };
    if (::stat(file.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return nullptr;
    std::lock_guard<std::mutex> lock(gFreeTypeLock);
    FT_Library lib = library();
    if (!lib)
        return nullptr;
    auto impl = std::make_unique<Impl>();
    if (FT_New_Face(lib, file.path.c_str(), file.index, &impl->face) != 0)
    {
        impl->face = nullptr;
        return nullptr;
    }
    FT_Face face = impl->face;
    if (!FT_IS_SCALABLE(face) || FT_Set_Pixel_Sizes(face, 0, FT_UInt(emPixels)) != 0)
        return nullptr;
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    impl->emboldenSynthetically = bold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    impl->obliqueSynthetically = italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    impl->underline = underline;

    const int unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
    long ascender = face->ascender;
    long descender = -face->descender;
    // The Windows metrics of the OS/2 table are what the text cell is measured by.
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
    {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    FontMetrics metrics;
    metrics.ascent = ceilScaled(ascender, emPixels, unitsPerEm);
    metrics.descent = ceilScaled(descender, emPixels, unitsPerEm);
    metrics.height = metrics.ascent + metrics.descent;
    impl->underlineOffset =
        std::max(1, int(std::lround(-double(face->underline_position) * emPixels / unitsPerEm)));
    impl->underlineThickness =
        std::max(1, int(std::lround(double(face->underline_thickness) * emPixels / unitsPerEm)));

    std::unique_ptr<FontFace> result(new FontFace(std::move(impl)));
    result->mMetrics = metrics;
    result->mEmPixels = emPixels;
    return result;
}

std::unique_ptr<FontFace> FontFace::openFamily(std::string_view family, int emPixels, bool bold, bool italic,
                                               bool underline)
{
    return open(matchFont(family, bold, italic), emPixels, bold, italic, underline);
}

int FontFace::advance(char32_t codePoint) const
{
    std::lock_guard<std::mutex> lock(gFreeTypeLock);
    return mImpl->advanceLocked(codePoint);
}

int FontFace::kerning(char32_t left, char32_t right) const
{
    std::lock_guard<std::mutex> lock(gFreeTypeLock);
    FT_Face face = mImpl->face;
    if (!FT_HAS_KERNING(face))
        return 0;
    FT_Vector delta{};
    if (FT_Get_Kerning(face, FT_Get_Char_Index(face, FT_ULong(left)),
                       FT_Get_Char_Index(face, FT_ULong(right)), FT_KERNING_DEFAULT, &delta) != 0)
        return 0;
    return int(delta.x >> 6);
}

int FontFace::measure(std::string_view text) const
{
    std::lock_guard<std::mutex> lock(gFreeTypeLock);
    int width = 0;
    for (char c : text)
        width += mImpl->advanceLocked(windows1252ToCodePoint(static_cast<unsigned char>(c)));
    return width;
}

void FontFace::render(std::string_view text, int x, int y, CoverageMask& mask) const
{
    std::lock_guard<std::mutex> lock(gFreeTypeLock);
    const int baseline = y + mMetrics.ascent;
    int pen = x;
    for (char c : text)
    {
        char32_t codePoint = windows1252ToCodePoint(static_cast<unsigned char>(c));
        if (codePoint < 32 || !mImpl->load(codePoint))
            continue;
        const FT_GlyphSlot slot = mImpl->face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const int left = pen + slot->bitmap_left;
        const int top = baseline - slot->bitmap_top;
        for (int row = 0; row < int(bitmap.rows); ++row)
        {
            const int my = top + row;
            if (my < 0 || my >= mask.height)
                continue;
            const unsigned char* src = bitmap.buffer + ptrdiff_t(row) * bitmap.pitch;
            for (int col = 0; col < int(bitmap.width); ++col)
            {
                const int mx = left + col;
                if (mx < 0 || mx >= mask.width)
                    continue;
                uint8_t& dst = mask.pixels[size_t(my) * size_t(mask.width) + size_t(mx)];
                dst = std::max(dst, static_cast<uint8_t>(src[col]));
            }
        }
        pen += int((slot->advance.x + 32) >> 6);
    }

    if (mImpl->underline)
    {
        for (int row = 0; row < mImpl->underlineThickness; ++row)
        {
            const int my = baseline + mImpl->underlineOffset + row;
            if (my < 0 || my >= mask.height)
                continue;
            for (int mx = std::max(x, 0); mx < std::min(pen, mask.width); ++mx)
                mask.pixels[size_t(my) * size_t(mask.width) + size_t(mx)] = 255;
        }
    }
}

GlyphBitmap FontFace::renderGlyph(char32_t codePoint) const
{
    std::lock_guard<std::mutex> lock(gFreeTypeLock);
    GlyphBitmap glyph;
    if (!mImpl->load(codePoint))
        return glyph;
    const FT_GlyphSlot slot = mImpl->face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = int((slot->advance.x + 32) >> 6);
    glyph.mask = CoverageMask(int(bitmap.width), int(bitmap.rows));
    for (int row = 0; row < int(bitmap.rows); ++row)
    {
        const unsigned char* src = bitmap.buffer + ptrdiff_t(row) * bitmap.pitch;
        std::copy(src, src + bitmap.width, glyph.mask.pixels.begin() + ptrdiff_t(row) * bitmap.width);
    }
    return glyph;
}

} // namespace platform
