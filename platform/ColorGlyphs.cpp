#include "platform/ColorGlyphs.h"

#include <ft2build.h>
#include <mutex>
#include FT_FREETYPE_H

namespace platform
{
namespace
{

std::mutex gColorLock;

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

// Bitmaps come premultiplied; pictures of the framework keep straight alpha.
uint32_t straightFromPremultipliedBgra(const uint8_t* bgra)
{
    uint32_t a = bgra[3];
    if (a == 0)
        return 0;
    auto unmultiply = [a](uint32_t c) { return c >= a ? 255u : (c * 255 + a / 2) / a; };
    return (a << 24) | (unmultiply(bgra[2]) << 16) | (unmultiply(bgra[1]) << 8) | unmultiply(bgra[0]);
}

} // namespace

struct ColorGlyphFace::Impl
{
    FT_Face face = nullptr;
    ~Impl()
    {
        if (face)
            FT_Done_Face(face);
    }
};

ColorGlyphFace::ColorGlyphFace(std::unique_ptr<Impl> impl) : mImpl(std::move(impl)) {}
ColorGlyphFace::~ColorGlyphFace()
{
    std::lock_guard lock(gColorLock);
    mImpl.reset();
}

std::unique_ptr<ColorGlyphFace> ColorGlyphFace::open(const std::string& fontFile)
{
    std::lock_guard lock(gColorLock);
    FT_Library lib = library();
    if (!lib)
        return nullptr;
    auto impl = std::make_unique<Impl>();
    if (FT_New_Face(lib, fontFile.c_str(), 0, &impl->face) != 0)
    {
        impl->face = nullptr;
        return nullptr;
    }
    if (!FT_HAS_COLOR(impl->face) || impl->face->num_fixed_sizes < 1)
        return nullptr;
    int best = 0;
    for (int i = 1; i < impl->face->num_fixed_sizes; ++i)
        if (impl->face->available_sizes[i].height > impl->face->available_sizes[best].height)
            best = i;
    if (FT_Select_Size(impl->face, best) != 0)
        return nullptr;
    return std::unique_ptr<ColorGlyphFace>(new ColorGlyphFace(std::move(impl)));
}

ColorGlyph ColorGlyphFace::render(char32_t codePoint) const
{
    std::lock_guard lock(gColorLock);
    ColorGlyph glyph;
    FT_UInt index = FT_Get_Char_Index(mImpl->face, FT_ULong(codePoint));
    if (index == 0 || FT_Load_Glyph(mImpl->face, index, FT_LOAD_COLOR) != 0)
        return glyph;
    const FT_Bitmap& bitmap = mImpl->face->glyph->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_BGRA || bitmap.width == 0 || bitmap.rows == 0)
        return glyph;
    glyph.width = int(bitmap.width);
    glyph.height = int(bitmap.rows);
    glyph.pixels.resize(size_t(glyph.width) * size_t(glyph.height));
    for (int y = 0; y < glyph.height; ++y)
    {
        const uint8_t* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x)
            glyph.pixels[size_t(y) * size_t(glyph.width) + size_t(x)] =
                straightFromPremultipliedBgra(row + x * 4);
    }
    return glyph;
}

} // namespace platform
