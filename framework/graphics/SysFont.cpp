#include "framework/graphics/SysFont.h"

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "platform/FontFace.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace Quib
{
namespace
{

// The desktop has no device resolution to ask for; this is what every screen reports.
constexpr int kScreenDpi = 96;

// Paints the coverage over an 0x00RRGGBB picture in one colour, as text is drawn
// over an opaque background.
void Compose(std::vector<uint32_t>& picture, const platform::CoverageMask& mask, uint32_t rgb)
{
    const int colour[3] = {int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)};
    for (size_t i = 0; i < picture.size(); ++i)
    {
        const int coverage = mask.pixels[i];
        if (coverage == 0)
            continue;
        const uint32_t p = picture[i];
        const int under[3] = {int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c)
            out = out << 8 | uint32_t((colour[c] * coverage + under[c] * (255 - coverage) + 127) / 255);
        picture[i] = out;
    }
}

// One pixel from its render over white (w) and over black (b).
uint32_t DerivePixel(uint32_t w, uint32_t b)
{
    w &= 0xFFFFFF;
    b &= 0xFFFFFF;
    if (w == b)
        return 0xFF000000 | w;
    if (w == 0xFFFFFF && (w & b) == 0)
        return 0;
    int alpha = 255;
    uint32_t rgb = 0;
    for (int shift = 16; shift >= 0; shift -= 8)
    {
        const int wc = int(w >> shift & 0xFF);
        const int bc = int(b >> shift & 0xFF);
        const int a = bc - wc + 255;
        // Cannot come from grayscale coverage; such a pixel is left out.
        if (a <= 0)
            return 0;
        alpha = std::min(alpha, a);
        rgb = rgb << 8 | uint32_t(std::min(255, bc * 255 / a));
    }
    return uint32_t(alpha) << 24 | rgb;
}

} // namespace

SysFont::SysFont(const std::string& faceName, FontHost* app, int pointSize, int charSet) : mApp(app)
{
    CreateGdiFont(faceName, pointSize, kScreenDpi, false, false, false, charSet);
}

SysFont::SysFont(int pointSize, const std::string& faceName, bool bold, bool italics, bool underline)
{
    CreateGdiFont(faceName, pointSize, kScreenDpi, bold, italics, underline, 0);
}

SysFont::SysFont(const SysFont& other)
    : Font(other), mApp(other.mApp), mFaceName(other.mFaceName), mCharHeight(other.mCharHeight),
      mBold(other.mBold), mItalic(other.mItalic), mUnderline(other.mUnderline), mCharSet(other.mCharSet)
{
    OpenFace();
    mAscent = other.mAscent;
    mHeight = other.mHeight;
}

SysFont::~SysFont() = default;

Font* SysFont::Clone()
{
    return new SysFont(*this);
}

int SysFont::MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    int64_t numerator = int64_t(a) * b;
    int64_t denominator = c;
    if (denominator < 0)
    {
        numerator = -numerator;
        denominator = -denominator;
    }
    const int64_t rounded = numerator >= 0 ? (numerator + denominator / 2) / denominator
                                           : -((-numerator + denominator / 2) / denominator);
    return int(std::clamp<int64_t>(rounded, INT32_MIN, INT32_MAX));
}

void SysFont::CreateGdiFont(const std::string& faceName, int pointSize, int resolution, bool bold,
                            bool italics, bool underline, int charSet)
{
    mFaceName = faceName;
    mCharHeight = MulDiv(pointSize, resolution, 72);
    mBold = bold;
    mItalic = italics;
    mUnderline = underline;
    mCharSet = charSet;
    OpenFace();
    if (mFace)
    {
        mAscent = mFace->metrics().ascent;
        mHeight = mFace->metrics().height;
    }
}

void SysFont::OpenFace()
{
    mFace = platform::FontFace::openFamily(mFaceName, mCharHeight, mBold, mItalic, mUnderline);
}

int SysFont::GetStringWidth(const std::string& text)
{
    return mFace ? mFace->measure(text) : 0;
}

std::vector<SysFont::Pass> SysFont::Passes(uint32_t rgb) const
{
    std::vector<Pass> passes;
    if (mDrawShadow)
    {
        passes.push_back({1, 1, 0});
        if (mSimulateBold)
            passes.push_back({2, 1, 0});
    }
    passes.push_back({0, 0, rgb});
    if (mSimulateBold)
        passes.push_back({1, 0, rgb});
    return passes;
}

void SysFont::DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                         const Rect& clipRect)
{
    if (!mFace)
        return;
    const uint32_t rgb =
        uint32_t(color.mRed & 0xFF) << 16 | uint32_t(color.mGreen & 0xFF) << 8 | uint32_t(color.mBlue & 0xFF);
    if (auto* surfaceImage = dynamic_cast<DDImage*>(g->mDestImage))
    {
        DrawOnSurface(*surfaceImage, int(double(g->mTransX) + x), int(double(g->mTransY) + y - mAscent + 1),
                      text, rgb, clipRect);
        return;
    }
    if (g->mDestImage == &gNullImage)
        return;
    const int width = GetStringWidth(text);
    const int height = mHeight;
    if (width <= 0 || height <= 0)
        return;

    const size_t count = size_t(width) * size_t(height);
    std::vector<uint32_t> overWhite(count, 0xFFFFFF);
    std::vector<uint32_t> overBlack(count, 0);
    for (const Pass& pass : Passes(rgb))
    {
        platform::CoverageMask mask(width, height);
        mFace->render(text, pass.dx, pass.dy, mask);
        Compose(overWhite, mask, pass.rgb);
        Compose(overBlack, mask, pass.rgb);
    }

    std::vector<uint32_t> pixels(count);
    for (size_t i = 0; i < count; ++i)
        pixels[i] = DerivePixel(overWhite[i], overBlack[i]);
    MemoryImage image;
    image.SetBits(pixels.data(), width, height, true);
    g->DrawImage(&image, x, y - mAscent);
}

} // namespace Quib
